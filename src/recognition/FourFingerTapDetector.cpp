#include "recognition/FourFingerTapDetector.h"

#include <algorithm>

namespace scriblo {

bool FourFingerTapDetector::handleFrame(const TouchFrame& frame)
{
    auto count = int32_t(frame.touches.size());
    if (count == 4) {
        // A run past the limit is discarded unexamined, so it need not be summed, and
        // its length need not grow under a resting hand.
        m_runFrames = std::min(m_runFrames + 1, maximumFrames + 1);
        if (m_runFrames <= maximumFrames)
            m_runSpeed.addAll(frame.touches);
        return false;
    }
    bool tapped = runQualifies();
    m_beforeFourFingerTouches = { m_beforeFourFingerTouches[1], m_beforeFourFingerTouches[2], count };
    m_runSpeed = {};
    m_runFrames = 0;
    return tapped;
}

bool FourFingerTapDetector::runQualifies() const
{
    return m_runFrames >= minimumFrames && m_runFrames <= maximumFrames
        && double(m_runSpeed.mean()) <= maximumMeanSpeed && historyAllows();
}

bool FourFingerTapDetector::historyAllows() const
{
    auto threes = std::count(m_beforeFourFingerTouches.begin(), m_beforeFourFingerTouches.end(), 3);
    auto fives = std::count(m_beforeFourFingerTouches.begin(), m_beforeFourFingerTouches.end(), 5);
    return threes < 3 && fives < 3;
}

}
