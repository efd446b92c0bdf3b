#pragma once

#include "base/Clock.h"
#include "core/Gesture.h"
#include "setup/ReplayPaths.h"

#include <functional>

namespace scriblo {

// Redraws a stored gesture point by point: every stroke grows at once, one point per
// step, a step every 6 ms. It runs on a worker thread and stops at the first step after
// it is told to.
class GestureReplay {
public:
    static constexpr SteadyDuration stepInterval = std::chrono::milliseconds(6);

    struct Hooks {
        // Asked before every step; true ends the replay.
        std::function<bool()> shouldStop;
        // Asked every second step, and once more at the end.
        std::function<void()> redraw;
        // Waits until the given time on the clock; false when the replay should end
        // instead.
        std::function<bool(SteadyTime)> sleepUntil;
    };

    // `width` and `height` are the view's size, read on the main thread before the
    // worker starts. Returns the step at which the replay ended.
    static int32_t run(const Gesture& gesture, double width, double height, const Clock& clock, ReplayPaths& paths,
                       const Hooks& hooks);

private:
    // False when no stroke has a point for this step.
    static bool drawStep(const Gesture& gesture, int32_t step, double width, double height, ReplayPaths& paths);
};

}
