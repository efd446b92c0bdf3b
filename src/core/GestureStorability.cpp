#include "core/GestureStorability.h"

#include "core/GestureRecognizer.h"
#include "core/Utf8.h"

#include <algorithm>

namespace scriblo {

Expected<Done, GestureRefusal> GestureStorability::check(const Gesture& gesture)
{
    using Reason = GestureRefusal::Reason;
    // The archive keeps texts as C strings, so a NUL would cut the identity short and the
    // gesture would replace another one.
    if (gesture.identity().find('\0') != std::string::npos)
        return GestureRefusal::because(Reason::Unstorable, "the identity holds a NUL character");
    if (!isValidUtf8(gesture.identity()))
        return GestureRefusal::because(Reason::Unstorable, "the identity is not valid UTF-8");
    if (gesture.identity().size() > Gesture::maximumIdentityLength)
        return GestureRefusal::because(Reason::Unstorable, "the identity is longer than " + std::to_string(Gesture::maximumIdentityLength) + " bytes");
    if (gesture.drawingCount() > Gesture::maximumDrawingCount)
        return GestureRefusal::because(Reason::Unstorable, "there are more than " + std::to_string(Gesture::maximumDrawingCount) + " drawings");
    for (int32_t d = 0; d < std::max(gesture.drawingCount(), 1); ++d) {
        auto storable = checkDrawing(gesture.drawing(d));
        if (!storable && d > 0)
            return GestureRefusal::because(Reason::Unstorable, "drawing " + std::to_string(d + 1) + ": " + storable.error());
        if (!storable)
            return storable;
    }
    return Done {};
}

Expected<Done, GestureRefusal> GestureStorability::checkDrawing(const std::vector<GestureStroke>& strokes)
{
    using Reason = GestureRefusal::Reason;
    int64_t count = Gesture::pointCountOf(strokes);
    if (strokes.empty())
        return GestureRefusal::because(Reason::NothingDrawn, "there are no strokes");
    if (strokes.size() > size_t(Gesture::maximumStrokeCount))
        return GestureRefusal::because(Reason::Unstorable, "there are more than " + std::to_string(Gesture::maximumStrokeCount) + " strokes");
    for (const auto& stroke : strokes) {
        if (stroke.pointCount() == 0)
            return GestureRefusal::because(count == 0 ? Reason::NothingDrawn : Reason::Unstorable, "a stroke has no points");
        for (const auto& point : stroke.points()) {
            if (!Gesture::isValidCoordinate(point.x()) || !Gesture::isValidCoordinate(point.y()))
                return GestureRefusal::because(Reason::Unstorable, "a coordinate is not a number within ±1e6");
        }
    }
    if (count < GestureRecognizer::minimumCandidatePoints || count > Gesture::maximumPointCount)
        return GestureRefusal::because(count < GestureRecognizer::minimumCandidatePoints ? Reason::TooShort : Reason::Unstorable,
                       std::to_string(count) + " points, where a gesture needs " + std::to_string(GestureRecognizer::minimumCandidatePoints)
                           + " to " + std::to_string(Gesture::maximumPointCount));
    return Done {};
}

}
