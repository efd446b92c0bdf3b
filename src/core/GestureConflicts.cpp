#include "core/GestureConflicts.h"

#include "core/PairScorer.h"
#include "core/ParallelRuns.h"

#include <algorithm>
#include <iterator>

namespace scriblo {

std::optional<GestureResult> GestureConflicts::recognize(const std::vector<GestureStroke>& strokes,
                                                         const GestureRecognizer::GestureList& gestures)
{
    auto candidate = GestureRecognizer::candidateOf(strokes);
    return candidate ? GestureRecognizer::recognizeCandidate(gestures, *candidate) : std::nullopt;
}

GestureConflicts::Prepared GestureConflicts::prepare(const GestureRecognizer::GestureList& stored)
{
    Prepared drawings(stored.size());
    ParallelRuns::run(stored.size(), ParallelRuns::processors(), [&](size_t, size_t first, size_t length) {
        for (size_t i = first; i < first + length; ++i) {
            for (int32_t d = 0; d < stored[i]->drawingCount(); ++d)
                drawings[i].push_back(GestureRecognizer::candidateOf(stored[i]->drawing(d)));
        }
    });
    return drawings;
}

std::optional<GestureConflict> GestureConflicts::find(const std::vector<GestureStroke>& strokes, const std::string& identity,
                                                      const std::optional<std::string>& earlierIdentity,
                                                      const GestureRecognizer::GestureList& stored, int32_t minimumScore,
                                                      const Prepared* prepared)
{
    return find(Gesture(identity, strokes), earlierIdentity, stored, minimumScore, prepared);
}

std::optional<GestureConflict> GestureConflicts::find(const Gesture& gesture, const std::optional<std::string>& earlierIdentity,
                                                      const GestureRecognizer::GestureList& stored, int32_t minimumScore,
                                                      const Prepared* prepared)
{
    Prepared preparedHere;
    if (!prepared)
        prepared = &(preparedHere = prepare(stored));
    GestureRecognizer::GestureList others;
    std::vector<const PreparedDrawings*> otherDrawings;
    for (size_t i = 0; i < stored.size(); ++i)
        if (stored[i]->identity() != gesture.identity() && stored[i]->identity() != earlierIdentity) {
            others.push_back(stored[i]);
            otherDrawings.push_back(&(*prepared)[i]);
        }
    Gesture drawn = gesture.copy();
    drawn.generateTemplates();
    std::optional<GestureConflict> resembled;
    for (int32_t d = 0; d < drawn.drawingCount(); ++d) {
        auto found = resemblance(drawn.drawing(d), others, resembled ? resembled->score + 1 : minimumScore);
        resembled = found ? found : resembled;
    }
    // Only a capture that scores higher than the resemblance would be named.
    int32_t lowestCapture = resembled ? resembled->score + 1 : minimumScore;
    auto captured = capture(std::make_shared<const Gesture>(std::move(drawn)), others, otherDrawings, lowestCapture);
    return captured ? captured : resembled;
}

std::optional<GestureConflict> GestureConflicts::resemblance(const std::vector<GestureStroke>& strokes,
                                                             const GestureRecognizer::GestureList& others, int32_t minimumScore)
{
    auto result = recognize(strokes, others);
    if (!result || result->score() < minimumScore)
        return std::nullopt;
    return GestureConflict { result->gestureIdentity(), result->score(), GestureConflict::Direction::Resembles };
}

// A stored drawing matches its own gesture's templates exactly, so it is matched against
// the other gestures and the new one: the new one captures it when it wins there, ahead
// of every other target. The new gesture would be stored last, so among equal distances
// a stored one still wins. Matching against the new gesture alone first keeps the check
// cheap: only a drawing that the new one alone scores `lowestScore` or more for can be
// captured at such a score, and the strongest of those that is captured is the one named.
std::optional<GestureConflict> GestureConflicts::capture(const std::shared_ptr<const Gesture>& drawn,
                                                         const GestureRecognizer::GestureList& others,
                                                         const std::vector<const PreparedDrawings*>& otherDrawings,
                                                         int32_t lowestScore)
{
    struct Reachable {
        int32_t score;
        size_t gesture;
        const GestureRecognizer::Candidate* drawing;
    };
    std::vector<Reachable> reachable;
    for (size_t i = 0; i < others.size(); ++i) {
        for (const auto& drawing : *otherDrawings[i]) {
            auto alone = drawing ? GestureRecognizer::recognizeCandidate({ drawn }, *drawing) : std::nullopt;
            if (alone && alone->score() >= lowestScore)
                reachable.push_back({ alone->score(), i, &*drawing });
        }
    }
    std::stable_sort(reachable.begin(), reachable.end(), [](const auto& a, const auto& b) { return a.score > b.score; });
    for (const auto& [score, index, drawing] : reachable) {
        GestureRecognizer::GestureList rivals = others;
        rivals.erase(rivals.begin() + std::ptrdiff_t(index));
        rivals.push_back(drawn);
        auto result = GestureRecognizer::recognizeCandidate(rivals, *drawing);
        if (result && result->gestureIdentity() == drawn->identity())
            return GestureConflict { others[index]->identity(), score, GestureConflict::Direction::Captures };
    }
    return std::nullopt;
}

// Each drawing and template list is prepared once, not once for every other gesture: a
// full store is a million comparisons. Drawings are compared a rank at a time, and each
// rank's pairs handed over before the next is compared.
void GestureConflicts::pairs(const GestureRecognizer::GestureList& stored, int32_t minimumScore,
                             const std::function<void(const GesturePairConflict&)>& found,
                             const std::function<void(size_t done, size_t total)>& progress)
{
    constexpr size_t rank = 32;
    PairScorer scorer(stored, minimumScore);
    for (size_t first = 0; first < stored.size(); first += rank) {
        size_t last = std::min(first + rank, stored.size());
        auto rows = scorer.rows(first, last);
        for (size_t i = first; i < last; ++i) {
            for (const auto& pair : rows[i - first])
                found({ stored[i]->identity(), stored[pair.second]->identity(), pair.firstAsSecond, pair.secondAsFirst });
            // Drawing i is compared with the n - i - 1 after it, so the work left shrinks.
            if (progress)
                progress(i * (2 * stored.size() - i - 1) / 2, stored.size() * (stored.size() - 1) / 2);
        }
    }
}

}
