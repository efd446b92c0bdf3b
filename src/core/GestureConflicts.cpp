#include "core/GestureConflicts.h"

#include "core/PairScorer.h"
#include "core/ParallelRuns.h"

#include <algorithm>
#include <iterator>

namespace scriblo {

std::optional<GestureConflict> GestureConflicts::find(const std::vector<GestureStroke>& strokes, const std::string& identity,
                                                      const std::optional<std::string>& earlierIdentity,
                                                      const GestureRecognizer::GestureList& stored, int32_t minimumScore)
{
    return find(Gesture(identity, strokes), earlierIdentity, stored, minimumScore);
}

// The gesture is stored last among the others, as Assign would leave it, so that one way
// of scoring serves a single check and the many of an import preview.
std::optional<GestureConflict> GestureConflicts::find(const Gesture& gesture, const std::optional<std::string>& earlierIdentity,
                                                      const GestureRecognizer::GestureList& stored, int32_t minimumScore)
{
    GestureRecognizer::GestureList others;
    std::copy_if(stored.begin(), stored.end(), std::back_inserter(others), [&](const auto& kept) {
        return kept->identity() != gesture.identity() && kept->identity() != earlierIdentity;
    });
    Gesture drawn = gesture.copy();
    drawn.generateTemplates();
    others.push_back(std::make_shared<const Gesture>(std::move(drawn)));
    PairScorer scorer(others, minimumScore, PairScorer::Searches::Few);
    size_t last = others.size() - 1;
    return conflictsOf(scorer, others, std::span(&last, 1), minimumScore).front();
}

std::vector<std::optional<GestureConflict>> GestureConflicts::conflictsOf(const PairScorer& scorer, const GestureRecognizer::GestureList& stored,
                                                                          std::span<const size_t> drawn, int32_t minimumScore)
{
    std::vector<std::optional<GestureConflict>> resembled(drawn.size());
    std::vector<float> captureCeilings(drawn.size());
    ParallelRuns::run(drawn.size(), ParallelRuns::processors(), [&](size_t, size_t first, size_t length) {
        for (size_t k = first; k < first + length; ++k) {
            resembled[k] = resemblance(scorer, stored, drawn[k], minimumScore);
            // Only a capture that scores higher than the resemblance would be named.
            captureCeilings[k] = PairScorer::furthestDistanceScoring(resembled[k] ? resembled[k]->score + 1 : minimumScore);
        }
    });
    // A gesture that resembles another at 100 can capture nothing at a higher score.
    std::vector<size_t> capturing;
    std::vector<float> capturingCeilings;
    for (size_t k = 0; k < drawn.size(); ++k) {
        if (captureCeilings[k] >= 0) {
            capturing.push_back(drawn[k]);
            capturingCeilings.push_back(captureCeilings[k]);
        }
    }
    auto distances = scorer.distancesFrom(capturing, capturingCeilings);
    std::vector<std::optional<GestureConflict>> conflicts(drawn.size());
    ParallelRuns::run(drawn.size(), ParallelRuns::processors(), [&](size_t, size_t first, size_t length) {
        for (size_t k = first; k < first + length; ++k) {
            int32_t lowestCapture = resembled[k] ? resembled[k]->score + 1 : minimumScore;
            auto column = std::find(capturing.begin(), capturing.end(), drawn[k]);
            auto captured = column == capturing.end()
                ? std::nullopt
                : capture(scorer, stored, drawn[k], distances, size_t(column - capturing.begin()), lowestCapture);
            conflicts[k] = captured ? captured : resembled[k];
        }
    });
    return conflicts;
}

// The highest that any of the gesture's drawings scores among the others; of equal
// scores, its earliest drawing's.
std::optional<GestureConflict> GestureConflicts::resemblance(const PairScorer& scorer, const GestureRecognizer::GestureList& stored,
                                                             size_t drawn, int32_t minimumScore)
{
    std::optional<GestureConflict> resembled;
    for (size_t d = 0; d < scorer.drawingCount(drawn); ++d) {
        int32_t lowest = resembled ? resembled->score + 1 : minimumScore;
        auto nearest = scorer.nearest(drawn, d, std::span(&drawn, 1), PairScorer::furthestDistanceScoring(lowest));
        auto score = nearest ? GestureRecognizer::scoreOfDistance(nearest->distance) : std::nullopt;
        if (score && *score >= lowest && !stored[nearest->gesture]->identity().empty())
            resembled = GestureConflict { stored[nearest->gesture]->identity(), *score, GestureConflict::Direction::Resembles };
    }
    return resembled;
}

// A stored drawing matches its own gesture's templates exactly, so it is matched against
// the other gestures and the new one: the new one captures it when it is nearer than
// every other target, since the new gesture would be stored last and among equal
// distances a stored one still wins. Only a drawing that the new gesture alone scores
// `lowestScore` or more for can be captured at such a score, and the strongest of those
// that is captured is the one named: column `column` of `distances` holds each drawing's
// distance from the new gesture alone, where it could score that much.
std::optional<GestureConflict> GestureConflicts::capture(const PairScorer& scorer, const GestureRecognizer::GestureList& stored,
                                                         size_t drawn, const std::vector<PairScorer::DrawingDistances>& distances,
                                                         size_t column, int32_t lowestScore)
{
    struct Reachable {
        int32_t score;
        size_t gesture;
        size_t drawing;
        float distance;
    };
    std::vector<Reachable> reachable;
    for (size_t i = 0; i < stored.size(); ++i) {
        for (size_t d = 0; d < distances[i].size() && i != drawn; ++d) {
            auto distance = distances[i][d][column];
            auto score = distance ? GestureRecognizer::scoreOfDistance(*distance) : std::nullopt;
            if (score && *score >= lowestScore)
                reachable.push_back({ *score, i, d, *distance });
        }
    }
    std::stable_sort(reachable.begin(), reachable.end(), [](const auto& a, const auto& b) { return a.score > b.score; });
    for (const auto& [score, gesture, drawing, distance] : reachable) {
        size_t skipped[] { gesture, drawn };
        if (!scorer.nearest(gesture, drawing, skipped, distance))
            return GestureConflict { stored[gesture]->identity(), score, GestureConflict::Direction::Captures };
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
