#include "setup/GestureAssignment.h"

#include "core/GestureRecognitionModel.h"
#include "core/KeyedUnarchiver.h"
#include "setup/DrawingFit.h"

namespace scriblo {

std::optional<AssignRefusal> GestureAssignment::store(std::vector<GestureStroke> strokes, const std::string& identity,
                                                      const std::optional<std::string>& earlierIdentity,
                                                      GestureRecognitionModel& model)
{
    // A long drawing says only how slowly it was made, so it is kept rather than refused.
    Gesture gesture(identity, DrawingFit::withinPointCount(std::move(strokes), Gesture::maximumPointCount));
    bool replaces = model.getGestureWithIdentity(identity) != nullptr;
    if (!model.saveGestureWithStrokes(gesture.strokes(), identity))
        return whyRefused(gesture, replaces, model.gestureDictionary().size());
    if (earlierIdentity && *earlierIdentity != identity) {
        // The new gesture is stored; the old one is gone from memory, but the file still
        // holds it until a write succeeds.
        if (auto deleted = model.deleteGestureWithName(*earlierIdentity); !deleted)
            return AssignRefusal { AssignRefusal::Reason::NotWritten, deleted.error() };
    }
    return std::nullopt;
}

std::optional<AssignRefusal> GestureAssignment::addDrawing(std::vector<GestureStroke> strokes, const std::string& identity,
                                                           GestureRecognitionModel& model)
{
    Gesture drawing(identity, DrawingFit::withinPointCount(std::move(strokes), Gesture::maximumPointCount));
    auto added = model.addDrawingToGesture(drawing.strokes(), identity);
    if (added)
        return std::nullopt;
    // The store's own words cover the rest: the gesture gone, all its drawings taken, a limit.
    return tooSmall(drawing).value_or(AssignRefusal { AssignRefusal::Reason::Unstorable, added.error() });
}

std::optional<AssignRefusal> GestureAssignment::tooSmall(const Gesture& gesture)
{
    int32_t points = gesture.totalPointCount();
    if (points == 0)
        return AssignRefusal { AssignRefusal::Reason::NothingDrawn, {} };
    if (points < GestureRecognitionModel::minimumGesturePoints)
        return AssignRefusal { AssignRefusal::Reason::TooShort, {} };
    return std::nullopt;
}

AssignRefusal GestureAssignment::whyRefused(const Gesture& gesture, bool replacesStoredGesture, size_t storedGestureCount)
{
    if (auto small = tooSmall(gesture))
        return *small;
    if (auto storable = GestureRecognitionModel::checkStorable(gesture); !storable)
        return { AssignRefusal::Reason::Unstorable, storable.error() };
    if (!replacesStoredGesture && storedGestureCount >= KeyedUnarchiver::maximumGestureCount)
        return { AssignRefusal::Reason::StoreFull, {} };
    return { AssignRefusal::Reason::NotWritten, {} };
}

}
