#include "recognition/QuickdrawDetector.h"

#include "recognition/TouchSpeed.h"

#include <algorithm>
#include <array>

namespace scriblo {

bool QuickdrawDetector::handleFrame(const TouchFrame& frame, bool enabled)
{
    if (!enabled || frame.touches.size() != 3) {
        m_threeFingerTouchCount = 0;
        return false;
    }
    // Held past the last judged frame, the count stops growing: nothing past it is
    // judged, and the count must not overflow under a resting hand.
    m_threeFingerTouchCount = std::min(m_threeFingerTouchCount + 1, lastJudgedFrame + 1);
    if (m_threeFingerTouchCount < firstJudgedFrame || m_threeFingerTouchCount > lastJudgedFrame)
        return false;
    if (!movingFastTogether(frame))
        return false;
    m_threeFingerTouchCount = 0;
    return true;
}

bool QuickdrawDetector::movingFastTogether(const TouchFrame& frame)
{
    TouchSpeed speed;
    speed.addAll(frame.touches);
    std::array<float, 3> magnitudes {};
    std::transform(frame.touches.begin(), frame.touches.end(), magnitudes.begin(), TouchSpeed::magnitude);
    std::sort(magnitudes.begin(), magnitudes.end());
    // With a still finger the ratio is infinite or undefined, and the test fails.
    return double(speed.mean()) >= minimumMeanSpeed && magnitudes[1] / magnitudes[0] <= maximumSpeedRatio;
}

}
