#include "setup/GestureReplay.h"

namespace scriblo {

int32_t GestureReplay::run(const Gesture& gesture, double width, double height, const Clock& clock, ReplayPaths& paths,
                           const Hooks& hooks)
{
    // Each step is due on a fixed grid from the start rather than a fixed time after the
    // last one, so late wake-ups never add up over a long stroke.
    const SteadyTime start = clock.now();
    int32_t step = 0;
    for (;; ++step) {
        if (hooks.shouldStop())
            break;
        if (step % 2 == 0)
            hooks.redraw();
        if (!drawStep(gesture, step, width, height, paths))
            break;
        if (!hooks.sleepUntil(start + stepInterval * (step + 1)))
            break;
    }
    // The points of an odd last step would otherwise stay unseen until something else
    // repaints the view.
    hooks.redraw();
    return step;
}

bool GestureReplay::drawStep(const Gesture& gesture, int32_t step, double width, double height, ReplayPaths& paths)
{
    // A replayed stroke starts at its second point, as stored gestures have always been
    // shown.
    size_t pointIndex = size_t(step) + 1;
    bool drew = false;
    const auto& strokes = gesture.strokes();
    for (size_t index = 0; index < strokes.size(); ++index) {
        const auto& points = strokes[index].points();
        if (points.size() <= pointIndex)
            continue;
        drew = true;
        const GesturePoint& point = points[pointIndex];
        // Stored points grow upward; the view's y grows downward.
        ViewPoint position { double(point.x()) / 1000 * width, height - double(point.y()) / 1000 * height };
        if (step == 0)
            paths.beginPath(int32_t(index), position);
        else
            paths.extendPath(int32_t(index), position);
    }
    return drew;
}

}
