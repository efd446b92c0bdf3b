#include "core/GestureConflicts.h"

#include "core/PairScorer.h"
#include "core/ParallelRuns.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace scriblo {

// The drawing is stored last among the others, as Assign would leave it, so that one way
// of scoring serves a single check and the many of an import preview.
std::optional<GestureConflict> GestureConflicts::find(const std::vector<GestureStroke>& strokes, const std::string& identity,
                                                      const std::optional<std::string>& earlierIdentity,
                                                      const GestureRecognizer::GestureList& stored, int32_t minimumScore)
{
    GestureRecognizer::GestureList others;
    std::copy_if(stored.begin(), stored.end(), std::back_inserter(others),
                 [&](const auto& gesture) { return gesture->identity() != identity && gesture->identity() != earlierIdentity; });
    Gesture drawing(identity, strokes);
    drawing.generateTemplates();
    others.push_back(std::make_shared<const Gesture>(std::move(drawing)));
    PairScorer scorer(others, minimumScore);
    size_t drawn = others.size() - 1;
    return conflictsOf(scorer, others, std::span(&drawn, 1), minimumScore).front();
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
    for (size_t k = 0; k < drawn.size(); ++k)
        if (captureCeilings[k] >= 0) {
            capturing.push_back(drawn[k]);
            capturingCeilings.push_back(captureCeilings[k]);
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

std::optional<GestureConflict> GestureConflicts::resemblance(const PairScorer& scorer, const GestureRecognizer::GestureList& stored,
                                                             size_t drawn, int32_t minimumScore)
{
    auto nearest = scorer.nearest(drawn, std::span(&drawn, 1), PairScorer::furthestDistanceScoring(minimumScore));
    auto score = nearest ? GestureRecognizer::scoreOfDistance(nearest->distance) : std::nullopt;
    const std::string& identity = nearest ? stored[nearest->gesture]->identity() : std::string();
    if (!score || *score < minimumScore || identity.empty())
        return std::nullopt;
    return GestureConflict { identity, *score, GestureConflict::Direction::Resembles };
}

// A stored drawing matches its own templates exactly, so it is matched against the other
// gestures and the new one: the new one captures it when it is nearer than every other
// target, since the new gesture would be stored last and among equal distances a stored
// one still wins. Only a drawing that the new gesture alone scores `lowestScore` or
// more for can be captured at such a score, and the strongest of those that is captured
// is the one named: column `column` of `distances` holds each drawing's distance from the
// new gesture alone, where it could score that much.
std::optional<GestureConflict> GestureConflicts::capture(const PairScorer& scorer, const GestureRecognizer::GestureList& stored,
                                                         size_t drawn, const std::vector<std::vector<std::optional<float>>>& distances,
                                                         size_t column, int32_t lowestScore)
{
    std::vector<std::tuple<int32_t, size_t, float>> reachable;
    for (size_t i = 0; i < stored.size(); ++i) {
        auto distance = distances[i][column];
        auto score = distance && i != drawn ? GestureRecognizer::scoreOfDistance(*distance) : std::nullopt;
        if (score && *score >= lowestScore)
            reachable.emplace_back(*score, i, *distance);
    }
    std::stable_sort(reachable.begin(), reachable.end(), [](const auto& a, const auto& b) { return std::get<0>(a) > std::get<0>(b); });
    for (const auto& [score, index, distance] : reachable) {
        size_t skipped[] { index, drawn };
        if (!scorer.nearest(index, skipped, distance))
            return GestureConflict { stored[index]->identity(), score, GestureConflict::Direction::Captures };
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
