#include "recognition/DoubleSecondaryPressDetector.h"

namespace scriblo {

DoubleSecondaryPressDetector::DoubleSecondaryPressDetector(const Clock& clock)
    : m_clock(clock)
    , m_recentRightClickDate(clock.now())
{
}

bool DoubleSecondaryPressDetector::handlePress(bool recognitionWindowVisible)
{
    if (recognitionWindowVisible)
        return false;
    SteadyTime now = m_clock.now();
    bool quick = millisecondsBetween(m_recentRightClickDate, now) < maximumIntervalMilliseconds;
    m_recentRightClickDate = now;
    return quick;
}

}
