#pragma once

#include "core/Gesture.h"

#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class GestureRecognitionModel;

// Why the store kept nothing of a drawing handed over for assignment, so the setup
// window can tell the user what to do instead of leaving the target as it was in silence.
struct AssignRefusal {
    enum class Reason {
        // The capture ran out of time before anything was drawn.
        NothingDrawn,
        // Fewer points than the matcher can tell apart from any other drawing.
        TooShort,
        // A gesture for a target without one, while the store holds as many as it can
        // read back.
        StoreFull,
        // Something else about the gesture the store does not take; `detail` says what.
        Unstorable,
        // The gesture was taken but the store's file could not be written.
        NotWritten,
    };

    Reason reason;
    std::string detail;
};

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
    static std::optional<AssignRefusal> store(std::vector<GestureStroke> strokes, const std::string& identity,
                                              const std::optional<std::string>& earlierIdentity,
                                              GestureRecognitionModel& model);
    // Nothing when the drawing was added to the gesture stored under `identity`, fitted
    // as a drawing for Assign is.
    static std::optional<AssignRefusal> addDrawing(std::vector<GestureStroke> strokes, const std::string& identity,
                                                   GestureRecognitionModel& model);

private:
    static std::optional<AssignRefusal> tooSmall(const Gesture& gesture);
    static AssignRefusal whyRefused(const Gesture& gesture, bool replacesStoredGesture, size_t storedGestureCount);
};

}
