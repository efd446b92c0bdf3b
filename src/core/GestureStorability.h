#pragma once

#include "core/Gesture.h"
#include "core/GestureRefusal.h"

#include <vector>

namespace scriblo {

// What the gesture store takes: a gesture refused here never reaches the archive, whose
// readers would refuse it back, and never makes templates without bound.
class GestureStorability {
public:
    // Fails, in words for the user, when the gesture, one of its drawings or their
    // number cannot be stored.
    static Expected<Done, GestureRefusal> check(const Gesture& gesture);
    static Expected<Done, GestureRefusal> checkDrawing(const std::vector<GestureStroke>& strokes);
};

}
