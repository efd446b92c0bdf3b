#pragma once

#include "core/Gesture.h"
#include "core/GestureRefusal.h"

#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class GestureRecognitionModel;

// What a drawing asked for in the setup window is for: the whole gesture, or one more
// drawing of it.
enum class DrawingUse { Assign, AddDrawing };

// Stores a drawing as the gesture of one target, or as one more drawing of it.
class GestureAssignment {
public:
    // Nothing when the drawing was stored under `identity`. A drawing of more points than
    // the store keeps is fitted to them first. `earlierIdentity` is where the target's
    // gesture was stored before, under an identity of an earlier build; that gesture is
    // removed once the new one is in, or it would still launch the target.
    static std::optional<GestureRefusal> store(std::vector<GestureStroke> strokes, const std::string& identity,
                                               const std::optional<std::string>& earlierIdentity,
                                               GestureRecognitionModel& model);
    // Nothing when the drawing was added to the gesture stored under `identity`, fitted
    // as a drawing for Assign is.
    static std::optional<GestureRefusal> addDrawing(std::vector<GestureStroke> strokes, const std::string& identity,
                                                    GestureRecognitionModel& model);
};

}
