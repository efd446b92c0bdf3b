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

AssignRefusal GestureAssignment::whyRefused(const Gesture& gesture, bool replacesStoredGesture, size_t storedGestureCount)
{
    int32_t points = gesture.totalPointCount();
    if (points == 0)
        return { AssignRefusal::Reason::NothingDrawn, {} };
    if (points < GestureRecognitionModel::minimumGesturePoints)
        return { AssignRefusal::Reason::TooShort, {} };
    if (auto storable = GestureRecognitionModel::checkStorable(gesture); !storable)
        return { AssignRefusal::Reason::Unstorable, storable.error() };
    if (!replacesStoredGesture && storedGestureCount >= KeyedUnarchiver::maximumGestureCount)
        return { AssignRefusal::Reason::StoreFull, {} };
    return { AssignRefusal::Reason::NotWritten, {} };
}

}
