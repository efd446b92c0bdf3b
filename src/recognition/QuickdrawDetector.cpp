#include "recognition/QuickdrawDetector.h"

#include "recognition/TouchSpeed.h"

#include <algorithm>
#include <array>

namespace scriblo {

bool QuickdrawDetector::handleFrame(const TouchFrame& frame, bool enabled)
{
    if (!enabled || frame.touches.size() != 3) {
        m_contactStart.reset();
        return false;
    }
    if (!m_contactStart)
        m_contactStart = frame.timestamp;
    double elapsed = frame.timestamp - *m_contactStart;
    if (elapsed < firstJudged || elapsed > lastJudged || !movingFastTogether(frame))
        return false;
    // The next three-finger frame begins a new contact.
    m_contactStart.reset();
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
