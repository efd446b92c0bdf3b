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

std::vector<std::optional<GestureRecognizer::Candidate>> GestureConflicts::prepare(const GestureRecognizer::GestureList& stored)
{
    std::vector<std::optional<GestureRecognizer::Candidate>> drawings(stored.size());
    ParallelRuns::run(stored.size(), ParallelRuns::processors(), [&](size_t, size_t first, size_t length) {
        for (size_t i = first; i < first + length; ++i)
            drawings[i] = GestureRecognizer::candidateOf(stored[i]->strokes());
    });
    return drawings;
}

std::optional<GestureConflict> GestureConflicts::find(const std::vector<GestureStroke>& strokes, const std::string& identity,
                                                      const std::optional<std::string>& earlierIdentity,
                                                      const GestureRecognizer::GestureList& stored, int32_t minimumScore,
                                                      const std::vector<std::optional<GestureRecognizer::Candidate>>* prepared)
{
    std::vector<std::optional<GestureRecognizer::Candidate>> preparedHere;
    if (!prepared)
        prepared = &(preparedHere = prepare(stored));
    GestureRecognizer::GestureList others;
    std::vector<const GestureRecognizer::Candidate*> otherDrawings;
    for (size_t i = 0; i < stored.size(); ++i)
        if (stored[i]->identity() != identity && stored[i]->identity() != earlierIdentity) {
            others.push_back(stored[i]);
            otherDrawings.push_back((*prepared)[i] ? &*(*prepared)[i] : nullptr);
        }
    Gesture drawing(identity, strokes);
    drawing.generateTemplates();
    auto resembled = resemblance(strokes, others, minimumScore);
    // Only a capture that scores higher than the resemblance would be named.
    int32_t lowestCapture = resembled ? resembled->score + 1 : minimumScore;
    auto captured = capture(std::make_shared<const Gesture>(std::move(drawing)), others, otherDrawings, lowestCapture);
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

// A stored drawing matches its own templates exactly, so it is matched against the other
// gestures and the new one: the new one captures it when it wins there, ahead of every
// other target. The new gesture would be stored last, so among equal distances a stored
// one still wins. Matching against the new gesture alone first keeps the check cheap:
// only a drawing that the new one alone scores `lowestScore` or more for can be captured
// at such a score, and the strongest of those that is captured is the one named.
std::optional<GestureConflict> GestureConflicts::capture(const std::shared_ptr<const Gesture>& drawn,
                                                         const GestureRecognizer::GestureList& others,
                                                         const std::vector<const GestureRecognizer::Candidate*>& otherDrawings,
                                                         int32_t lowestScore)
{
    std::vector<std::pair<int32_t, size_t>> reachable;
    for (size_t i = 0; i < others.size(); ++i) {
        auto alone = otherDrawings[i] ? GestureRecognizer::recognizeCandidate({ drawn }, *otherDrawings[i]) : std::nullopt;
        if (alone && alone->score() >= lowestScore)
            reachable.emplace_back(alone->score(), i);
    }
    std::stable_sort(reachable.begin(), reachable.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [score, index] : reachable) {
        GestureRecognizer::GestureList rivals = others;
        rivals.erase(rivals.begin() + std::ptrdiff_t(index));
        rivals.push_back(drawn);
        auto result = GestureRecognizer::recognizeCandidate(rivals, *otherDrawings[index]);
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
