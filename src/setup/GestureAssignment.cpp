#include "setup/GestureAssignment.h"

#include "core/GestureRecognitionModel.h"
#include "setup/DrawingFit.h"

namespace scriblo {

std::optional<GestureRefusal> GestureAssignment::store(std::vector<GestureStroke> strokes, const std::string& identity,
                                                       const std::optional<std::string>& earlierIdentity,
                                                       GestureRecognitionModel& model)
{
    // A long drawing says only how slowly it was made, so it is kept rather than refused.
    Gesture gesture(identity, DrawingFit::withinPointCount(std::move(strokes), Gesture::maximumPointCount));
    if (auto saved = model.saveGestureWithStrokes(gesture.strokes(), identity); !saved)
        return saved.failure();
    if (earlierIdentity && *earlierIdentity != identity) {
        // The new gesture is stored; the old one is gone from memory, but the file still
        // holds it until a write succeeds.
        if (auto deleted = model.deleteGestureWithName(*earlierIdentity); !deleted)
            return GestureRefusal { { deleted.error() }, GestureRefusal::Reason::NotWritten, deleted.error() };
    }
    return std::nullopt;
}

std::optional<GestureRefusal> GestureAssignment::addDrawing(std::vector<GestureStroke> strokes, const std::string& identity,
                                                            GestureRecognitionModel& model)
{
    auto fitted = DrawingFit::withinPointCount(std::move(strokes), Gesture::maximumPointCount);
    if (auto added = model.addDrawingToGesture(std::move(fitted), identity); !added)
        return added.failure();
    return std::nullopt;
}

}
