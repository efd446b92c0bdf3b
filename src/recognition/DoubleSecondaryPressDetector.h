#pragma once

#include "base/Clock.h"

#include <optional>

namespace scriblo {

// Two presses of the secondary button close together start a recognition in mouse mode.
// Presses are judged by when they happened, not when they were read: a busy machine may
// hand both over together, or the second long after the first.
class DoubleSecondaryPressDetector {
public:
    static constexpr double maximumIntervalMilliseconds = 420;

    // True when this press follows the previous one in time. Presses while the window
    // shows are not counted, so a third quick press cannot start another recognition.
    bool handlePress(SteadyTime time, bool recognitionWindowVisible);

private:
    std::optional<SteadyTime> m_recentRightClickDate;
};

}
