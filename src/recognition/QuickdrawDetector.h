#pragma once

#include "recognition/TouchFrame.h"

namespace scriblo {

// Three fingers moving fast and together early in a three-finger contact: the quickdraw
// start. A contact that has not shown it by its 50th frame cannot start until a frame
// that does not qualify resets the count.
class QuickdrawDetector {
public:
    static constexpr int32_t firstJudgedFrame = 6;
    static constexpr int32_t lastJudgedFrame = 50;
    static constexpr double minimumMeanSpeed = 0.3;
    static constexpr float maximumSpeedRatio = 1.5f;

    // True when this frame starts a quickdraw; `enabled` is false while the option is
    // off or the setup window is visible.
    bool handleFrame(const TouchFrame& frame, bool enabled);

    int32_t threeFingerTouchCount() const { return m_threeFingerTouchCount; }

private:
    static bool movingFastTogether(const TouchFrame& frame);

    int32_t m_threeFingerTouchCount = 0;
};

}
