#include "recognition/FourFingerTapDetector.h"

#include <algorithm>

namespace scriblo {

bool FourFingerTapDetector::handleFrame(const TouchFrame& frame)
{
    auto count = int32_t(frame.touches.size());
    if (count == 4) {
        if (!m_runStart)
            m_runStart = frame.timestamp;
        // A run held past the longest tap is discarded unexamined, so it need not be
        // summed under a resting hand.
        if (frame.timestamp - *m_runStart <= longestTap)
            m_runSpeed.addAll(frame.touches);
        return false;
    }
    bool tapped = runQualifies(frame.timestamp);
    m_beforeFourFingerTouches = { m_beforeFourFingerTouches[1], m_beforeFourFingerTouches[2], count };
    m_runSpeed = {};
    m_runStart.reset();
    return tapped;
}

bool FourFingerTapDetector::runQualifies(double endTime) const
{
    if (!m_runStart)
        return false;
    // A clock that runs backwards (a bad recording) gives a negative length: no tap.
    double length = endTime - *m_runStart;
    return length >= shortestTap && length <= longestTap && double(m_runSpeed.mean()) <= maximumMeanSpeed
        && historyAllows();
}

bool FourFingerTapDetector::historyAllows() const
{
    auto threes = std::count(m_beforeFourFingerTouches.begin(), m_beforeFourFingerTouches.end(), 3);
    auto fives = std::count(m_beforeFourFingerTouches.begin(), m_beforeFourFingerTouches.end(), 5);
    return threes < 3 && fives < 3;
}

}
