#pragma once

#include "recognition/NominalFrameRate.h"
#include "recognition/TouchSpeed.h"

#include <array>
#include <optional>

namespace scriblo {

// Four fingers held still together for a short while, then released or joined by a
// fifth: the start of a recognition. A run that grew out of three fingers held
// through the last three other frames, or shrank from five, is a different gesture.
class FourFingerTapDetector {
public:
    // From the first four-finger frame to the frame that ends the run: 4 to 30 frames
    // at the nominal rate.
    static constexpr double shortestTap = NominalFrameRate::seconds(4 - 0.5);
    static constexpr double longestTap = NominalFrameRate::seconds(30 + 0.5);
    // Surface widths per second, averaged over every touch of the run. Resting and
    // tapping fingers wobble well below it; scrolls and strokes pass it at once.
    static constexpr double maximumMeanSpeed = 0.46;

    // True when this frame completes a tap.
    bool handleFrame(const TouchFrame& frame);

private:
    bool runQualifies(double endTime) const;
    bool historyAllows() const;

    // Touch counts of the last three frames that did not have four touches, oldest first.
    std::array<int32_t, 3> m_beforeFourFingerTouches {};
    // The current run is summed as it arrives, in arrival order, which gives the same
    // total as summing the kept frames when the run ends, without keeping them.
    TouchSpeed m_runSpeed;
    std::optional<double> m_runStart;
};

}
