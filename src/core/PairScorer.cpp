#include "core/PairScorer.h"

#include "core/ParallelRuns.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace scriblo {

namespace {

constexpr float anywhere = std::numeric_limits<float>::infinity();

// Calls `each` with runs of consecutive indices of [first, last), the runs spread over
// the processors.
template<class Each>
void spread(size_t first, size_t last, Each each)
{
    ParallelRuns::run(last - first, ParallelRuns::processors(), [&](size_t, size_t start, size_t length) {
        each(first + start, first + start + length);
    });
}

// Gestures whose templates, read for many drawings in turn, stay in the cache together.
constexpr size_t gesturesAtOnce = 16;

}

// With a minimum of zero or less every pair is listed, even one that the matcher cannot
// compare at all, and both its scores are needed.
PairScorer::PairScorer(const GestureRecognizer::GestureList& stored, int32_t minimumScore, Searches searches)
    : m_stored(stored), m_listsAll(minimumScore <= 0), m_furthest(m_listsAll ? anywhere : furthestDistanceScoring(minimumScore))
{
    m_drawings.resize(stored.size());
    m_templates.resize(stored.size());
    m_starts.resize(stored.size());
    m_radii.resize(stored.size());
    spread(0, stored.size(), [&](size_t first, size_t last) {
        for (size_t g = first; g < last; ++g) {
            for (int32_t d = 0; d < stored[g]->drawingCount(); ++d) {
                m_drawings[g].push_back(GestureRecognizer::candidateOf(stored[g]->drawing(d)));
                const TemplateSet& templates = stored[g]->templates(d);
                const size_t strokeCount = stored[g]->drawing(d).size();
                for (size_t t = 0; t < templates.size(); ++t) {
                    m_templates[g].push_back({ templates.xs(t), templates.ys(t), templates.pointCount(t) });
                    m_starts[g].push_back({ templates.startUnitVector(t), strokeCount });
                }
            }
            if (searches == Searches::Many)
                CandidateMatcher::prepareBounds(m_templates[g], m_radii[g]);
        }
    });
}

// Scores only fall as distances grow, so one distance divides those that reach the
// minimum from those that do not; it is found among the floats' bit patterns, which
// for non-negative floats rise with the values.
float PairScorer::furthestDistanceScoring(int32_t minimumScore)
{
    auto reaches = [&](uint32_t bits) { return GestureRecognizer::scoreOfDistance(std::bit_cast<float>(bits)).value_or(0) >= minimumScore; };
    if (!reaches(0))
        return -anywhere;
    uint32_t low = 0;
    uint32_t high = std::bit_cast<uint32_t>(anywhere);
    while (high - low > 1) {
        uint32_t middle = low + (high - low) / 2;
        (reaches(middle) ? low : high) = middle;
    }
    return std::bit_cast<float>(low);
}

// A gesture's distance from another is that of the nearest of its drawings, so each
// drawing after the first need only search within the nearest found so far.
void PairScorer::search(size_t drawing, std::vector<std::optional<CandidateMatcher>>& matchers, std::span<const size_t> gestures,
                        std::span<const float> ceilings, std::span<std::optional<float>> distances) const
{
    std::fill(distances.begin(), distances.end(), std::nullopt);
    const auto& drawings = m_drawings[drawing];
    matchers.resize(drawings.size());
    std::vector<float> nearest(ceilings.begin(), ceilings.end());
    std::vector<std::optional<float>> found(gestures.size());
    for (size_t d = 0; d < drawings.size(); ++d) {
        if (!drawings[d])
            continue;
        searchDrawing(*drawings[d], matchers[d], gestures, nearest, found);
        for (size_t k = 0; k < gestures.size(); ++k) {
            if (found[k] && (!distances[k] || *found[k] < *distances[k])) {
                distances[k] = found[k];
                nearest[k] = std::min(nearest[k], *found[k]);
            }
        }
    }
}

PairScorer::Gathered PairScorer::gather(const GestureRecognizer::Candidate& drawn, std::span<const size_t> gestures,
                                        bool withNameless) const
{
    Gathered gathered;
    size_t most = 0;
    for (size_t gesture : gestures)
        most += m_templates[gesture].size();
    gathered.templates.reserve(most);
    gathered.starts.reserve(gestures.size() + 1);
    for (size_t gesture : gestures) {
        gathered.starts.push_back(gathered.templates.size());
        if (!withNameless && m_stored[gesture]->identity().empty())
            continue;
        const auto& starts = m_starts[gesture];
        for (size_t t = 0; t < starts.size(); ++t) {
            if (starts[t].strokeCount == drawn.strokeCount
                && GestureRecognizer::startsInTheSameDirection(drawn.startUnitVector, starts[t].direction))
                gathered.templates.push_back(m_templates[gesture][t]);
        }
    }
    gathered.starts.push_back(gathered.templates.size());
    return gathered;
}

void PairScorer::searchDrawing(const GestureRecognizer::Candidate& drawn, std::optional<CandidateMatcher>& matcher,
                               std::span<const size_t> gestures, std::span<const float> ceilings,
                               std::span<std::optional<float>> distances) const
{
    std::fill(distances.begin(), distances.end(), std::nullopt);
    if (gestures.empty())
        return;
    // Recognition never names a gesture without an identity, so alone it scores nothing.
    auto [searched, starts] = gather(drawn, gestures, false);
    if (searched.empty())
        return;
    std::vector<CandidateMatcher::Search> searches;
    searches.reserve(gestures.size());
    for (size_t k = 0; k < gestures.size(); ++k)
        searches.push_back({ std::span(searched).subspan(starts[k], starts[k + 1] - starts[k]), ceilings[k], m_furthest, std::nullopt });
    if (!matcher)
        matcher.emplace(drawn.points);
    matcher->bestTemplates(searches);
    for (size_t k = 0; k < gestures.size(); ++k) {
        if (searches[k].best)
            distances[k] = searches[k].best->distance;
    }
}

// All the templates are one search, so that each passes over those further than the
// nearest found so far; among equal distances the first in store order is kept, as
// recognition keeps it. In a store of look-alikes nearly every template's bound stays
// below a wide ceiling, so the search is tried within a 64th, a 16th and a quarter of it
// first, where the bounds of all but the nearest stop after a few points. Whatever is
// found within a ceiling is the nearest of all.
std::optional<PairScorer::Nearest> PairScorer::nearest(size_t gesture, size_t drawing, std::span<const size_t> skipped,
                                                       float ceiling) const
{
    const auto& drawn = m_drawings[gesture][drawing];
    if (!drawn)
        return std::nullopt;
    std::vector<size_t> among;
    for (size_t other = 0; other < m_stored.size(); ++other) {
        if (std::find(skipped.begin(), skipped.end(), other) == skipped.end())
            among.push_back(other);
    }
    auto [searched, starts] = gather(*drawn, among, true);
    CandidateMatcher matcher(drawn->points);
    CandidateMatcher::Search search { searched, ceiling, ceiling, std::nullopt };
    for (float within : { ceiling / 64, ceiling / 16, ceiling / 4, ceiling }) {
        search.ceiling = search.boundsUpTo = within;
        matcher.bestTemplates(std::span(&search, 1));
        if (search.best && search.best->distance <= within)
            break;
    }
    if (!search.best || !(search.best->distance <= ceiling))
        return std::nullopt;
    // The last gesture whose templates start at or before the winner's owns it.
    auto owner = std::upper_bound(starts.begin(), starts.end(), search.best->index) - starts.begin() - 1;
    return Nearest { among[size_t(owner)], search.best->distance };
}

std::vector<PairScorer::DrawingDistances> PairScorer::distancesFrom(std::span<const size_t> gestures,
                                                                    std::span<const float> ceilings) const
{
    std::vector<DrawingDistances> rows(m_stored.size());
    spread(0, m_stored.size(), [&](size_t first, size_t last) {
        for (size_t gesture = first; gesture < last; ++gesture) {
            for (const auto& drawn : m_drawings[gesture]) {
                auto& row = rows[gesture].emplace_back(gestures.size());
                std::optional<CandidateMatcher> matcher;
                if (drawn)
                    searchDrawing(*drawn, matcher, gestures, ceilings, row);
            }
        }
    });
    return rows;
}

// Each drawing of [first, last) against the gestures after it: up to the furthest
// distance that reaches the minimum, or, with `exact`, wholly where only the other way
// reaches it. The gestures are taken a few at a time, all the drawings against each
// few, so that their templates are read from the processor's cache.
void PairScorer::searchFirstAsSecond(size_t first, size_t last, Block& block, bool exact) const
{
    size_t tiles = (m_stored.size() - first + gesturesAtOnce - 1) / gesturesAtOnce;
    spread(0, tiles, [&](size_t firstTile, size_t lastTile) {
        std::vector<std::vector<std::optional<CandidateMatcher>>> matchers(last - first);
        for (size_t tile = firstTile; tile < lastTile; ++tile)
            searchFirstAsSecondAmong(first, last, first + tile * gesturesAtOnce, matchers, block, exact);
    });
}

// The drawings of [first, last) against a few gestures from `from` on.
void PairScorer::searchFirstAsSecondAmong(size_t first, size_t last, size_t from,
                                          std::vector<std::vector<std::optional<CandidateMatcher>>>& matchers,
                                          Block& block, bool exact) const
{
    size_t to = std::min(from + gesturesAtOnce, m_stored.size());
    std::vector<size_t> gestures;
    for (size_t i = first; i < last; ++i) {
        auto& row = block[i - first];
        gestures.clear();
        for (size_t j = std::max(from, i + 1); j < to; ++j) {
            const auto& known = row[j - i - 1];
            if (!exact || (!reaches(known.firstAsSecond) && reaches(known.secondAsFirst)))
                gestures.push_back(j);
        }
        std::vector<float> ceilings(gestures.size(), exact ? anywhere : m_furthest);
        std::vector<std::optional<float>> distances(gestures.size());
        search(i, matchers[i - first], gestures, ceilings, distances);
        for (size_t k = 0; k < gestures.size(); ++k)
            row[gestures[k] - i - 1].firstAsSecond = distances[k];
    }
}

// Each later drawing against the gestures of [first, last) before it: wholly where the
// pair already reaches the minimum the first way, else up to the furthest distance.
void PairScorer::searchSecondAsFirst(size_t first, size_t last, Block& block) const
{
    spread(first + 1, m_stored.size(), [&](size_t firstDrawing, size_t lastDrawing) {
        for (size_t j = firstDrawing; j < lastDrawing; ++j)
            searchSecondAsFirstOf(j, first, last, block);
    });
}

void PairScorer::searchSecondAsFirstOf(size_t j, size_t first, size_t last, Block& block) const
{
    std::vector<size_t> gestures;
    std::vector<float> ceilings;
    for (size_t i = first; i < std::min(last, j); ++i) {
        gestures.push_back(i);
        ceilings.push_back(reaches(block[i - first][j - i - 1].firstAsSecond) ? anywhere : m_furthest);
    }
    std::vector<std::optional<float>> distances(gestures.size());
    std::vector<std::optional<CandidateMatcher>> matchers;
    search(j, matchers, gestures, ceilings, distances);
    for (size_t k = 0; k < gestures.size(); ++k)
        block[gestures[k] - first][j - gestures[k] - 1].secondAsFirst = distances[k];
}

std::optional<int32_t> PairScorer::scoreOf(std::optional<float> distance) const
{
    return distance ? GestureRecognizer::scoreOfDistance(*distance) : std::nullopt;
}

std::vector<std::vector<PairScorer::Pair>> PairScorer::rows(size_t first, size_t last) const
{
    Block block;
    for (size_t i = first; i < last; ++i)
        block.emplace_back(m_stored.size() - i - 1);
    searchFirstAsSecond(first, last, block, false);
    searchSecondAsFirst(first, last, block);
    if (!m_listsAll)
        searchFirstAsSecond(first, last, block, true);
    std::vector<std::vector<Pair>> rows(last - first);
    for (size_t i = first; i < last; ++i) {
        for (size_t j = i + 1; j < m_stored.size(); ++j) {
            const auto& distances = block[i - first][j - i - 1];
            if (m_listsAll || reaches(distances.firstAsSecond) || reaches(distances.secondAsFirst))
                rows[i - first].push_back({ j, scoreOf(distances.firstAsSecond), scoreOf(distances.secondAsFirst) });
        }
    }
    return rows;
}

}
