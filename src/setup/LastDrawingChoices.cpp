#include "setup/LastDrawingChoices.h"

#include "core/GestureRecognizer.h"

#include <algorithm>

namespace scriblo {

std::vector<LastDrawingChoices::Choice> LastDrawingChoices::of(const LastDrawing& drawing, const GestureRecognizer& recognizer)
{
    auto gestures = recognizer.loadedGestures();
    std::vector<Choice> choices;
    for (const GestureResult& result : recognizer.closestGestures(drawing.strokes, shownCount)) {
        auto gesture = std::find_if(gestures->begin(), gestures->end(),
                                    [&](const auto& stored) { return stored->identity() == result.gestureIdentity(); });
        bool full = gesture != gestures->end() && (*gesture)->drawingCount() >= Gesture::maximumDrawingCount;
        choices.push_back({ result.gestureIdentity(), result.score(), full });
    }
    return choices;
}

}
