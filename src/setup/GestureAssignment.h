#pragma once

#include "core/Gesture.h"
#include "core/GestureRefusal.h"

#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class GestureRecognitionModel;

// Stores a drawing as the gesture of one target.
class GestureAssignment {
public:
    // Nothing when the drawing was stored under `identity`. A drawing of more points than
    // the store keeps is fitted to them first. `earlierIdentity` is where the target's
    // gesture was stored before, under an identity of an earlier build; that gesture is
    // removed once the new one is in, or it would still launch the target.
    static std::optional<GestureRefusal> store(std::vector<GestureStroke> strokes, const std::string& identity,
                                               const std::optional<std::string>& earlierIdentity,
                                               GestureRecognitionModel& model);
};

}
