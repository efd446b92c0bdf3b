#include "core/GestureConflicts.h"

#include <algorithm>
#include <iterator>

namespace scriblo {

std::optional<GestureResult> GestureConflicts::recognize(const std::vector<GestureStroke>& strokes,
                                                         GestureRecognizer::GestureList gestures)
{
    GestureRecognizer recognizer;
    recognizer.setLoadedGestures(std::move(gestures));
    return recognizer.recognizeGestureWithStrokes(strokes);
}

std::optional<GestureConflict> GestureConflicts::find(const std::vector<GestureStroke>& strokes, const std::string& identity,
                                                      const std::optional<std::string>& earlierIdentity,
                                                      const GestureRecognizer::GestureList& stored, int32_t minimumScore)
{
    GestureRecognizer::GestureList others;
    std::copy_if(stored.begin(), stored.end(), std::back_inserter(others),
                 [&](const auto& gesture) { return gesture->identity() != identity && gesture->identity() != earlierIdentity; });
    Gesture drawing(identity, strokes);
    drawing.generateTemplates();
    auto resembled = resemblance(strokes, others, minimumScore);
    auto captured = capture(std::make_shared<const Gesture>(std::move(drawing)), others, minimumScore);
    if (captured && (!resembled || captured->score > resembled->score))
        return captured;
    return resembled;
}

std::optional<GestureConflict> GestureConflicts::resemblance(const std::vector<GestureStroke>& strokes,
                                                             const GestureRecognizer::GestureList& others, int32_t minimumScore)
{
    auto result = recognize(strokes, others);
    if (!result || result->score() < minimumScore)
        return std::nullopt;
    return GestureConflict { result->gestureIdentity(), result->score(), GestureConflict::Direction::Resembles };
}

// A stored drawing matches its own templates exactly, so it is matched against the other
// gestures and the new one: the new one captures it when it wins there, ahead of every
// other target. The new gesture would be stored last, so among equal distances a stored
// one still wins. Matching against the new gesture alone first keeps the check cheap:
// the full match is needed only where the new one alone scores enough to win.
std::optional<GestureConflict> GestureConflicts::capture(const std::shared_ptr<const Gesture>& drawn,
                                                         const GestureRecognizer::GestureList& others, int32_t minimumScore)
{
    std::optional<GestureConflict> strongest;
    for (const auto& gesture : others) {
        auto alone = recognize(gesture->strokes(), { drawn });
        if (!alone || alone->score() < minimumScore || (strongest && alone->score() <= strongest->score))
            continue;
        GestureRecognizer::GestureList rivals;
        std::copy_if(others.begin(), others.end(), std::back_inserter(rivals), [&](const auto& other) { return other != gesture; });
        rivals.push_back(drawn);
        auto result = recognize(gesture->strokes(), std::move(rivals));
        if (result && result->gestureIdentity() == drawn->identity())
            strongest = GestureConflict { gesture->identity(), result->score(), GestureConflict::Direction::Captures };
    }
    return strongest;
}

std::vector<GesturePairConflict> GestureConflicts::pairs(const GestureRecognizer::GestureList& stored, int32_t minimumScore)
{
    auto scoreAs = [](const Gesture& drawing, const std::shared_ptr<const Gesture>& templates) -> std::optional<int32_t> {
        auto result = recognize(drawing.strokes(), { templates });
        return result ? std::optional(result->score()) : std::nullopt;
    };
    std::vector<GesturePairConflict> found;
    for (size_t i = 0; i < stored.size(); ++i) {
        for (size_t j = i + 1; j < stored.size(); ++j) {
            auto firstAsSecond = scoreAs(*stored[i], stored[j]);
            auto secondAsFirst = scoreAs(*stored[j], stored[i]);
            if (firstAsSecond.value_or(0) >= minimumScore || secondAsFirst.value_or(0) >= minimumScore)
                found.push_back({ stored[i]->identity(), stored[j]->identity(), firstAsSecond, secondAsFirst });
        }
    }
    return found;
}

}
