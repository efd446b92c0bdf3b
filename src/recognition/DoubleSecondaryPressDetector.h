#pragma once

#include "base/Clock.h"

namespace scriblo {

// Two presses of the secondary button close together start a recognition in mouse mode.
class DoubleSecondaryPressDetector {
public:
    static constexpr double maximumIntervalMilliseconds = 420;

    explicit DoubleSecondaryPressDetector(const Clock& clock);

    // True when this press follows the previous one in time. Presses while the window
    // shows are not counted, so a third quick press cannot start another recognition.
    bool handlePress(bool recognitionWindowVisible);

private:
    const Clock& m_clock;
    SteadyTime m_recentRightClickDate;
};

}
