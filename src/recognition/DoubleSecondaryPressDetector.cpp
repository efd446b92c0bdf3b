#include "recognition/DoubleSecondaryPressDetector.h"

namespace scriblo {

bool DoubleSecondaryPressDetector::handlePress(SteadyTime time, bool recognitionWindowVisible)
{
    if (recognitionWindowVisible)
        return false;
    bool quick = m_recentRightClickDate
        && millisecondsBetween(*m_recentRightClickDate, time) < maximumIntervalMilliseconds;
    m_recentRightClickDate = time;
    return quick;
}

}
