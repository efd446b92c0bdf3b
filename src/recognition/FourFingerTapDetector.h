#pragma once

#include "recognition/TouchSpeed.h"

#include <array>

namespace scriblo {

// Four fingers held still together for a short run of frames, then released or joined
// by a fifth: the start of a recognition. A run that grew out of three fingers held
// through the last three other frames, or shrank from five, is a different gesture.
class FourFingerTapDetector {
public:
    static constexpr int32_t minimumFrames = 4;
    static constexpr int32_t maximumFrames = 30;
    static constexpr double maximumMeanSpeed = 0.46;

    // True when this frame completes a tap.
    bool handleFrame(const TouchFrame& frame);

private:
    bool runQualifies() const;
    bool historyAllows() const;

    // Touch counts of the last three frames that did not have four touches, oldest first.
    std::array<int32_t, 3> m_beforeFourFingerTouches {};
    // The current run is summed as it arrives, in arrival order, which gives the same
    // total as summing the kept frames when the run ends, without keeping them.
    TouchSpeed m_runSpeed;
    int32_t m_runFrames = 0;
};

}
