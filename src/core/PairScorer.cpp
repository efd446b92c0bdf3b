#include "core/PairScorer.h"

#include <bit>
#include <limits>

namespace scriblo {

PairScorer::PairScorer(const GestureRecognizer::GestureList& stored, int32_t minimumScore)
    : m_stored(stored), m_minimumScore(minimumScore), m_furthest(furthestDistanceScoring(minimumScore))
{
    for (const auto& gesture : stored) {
        m_drawings.push_back(GestureRecognizer::candidateOf(gesture->strokes()));
        m_matchers.emplace_back();
        if (m_drawings.back())
            m_matchers.back().emplace(m_drawings.back()->points);
        const TemplateSet& templates = gesture->templates();
        auto& points = m_templates.emplace_back();
        for (size_t t = 0; t < templates.size(); ++t)
            points.push_back({ templates.xs(t), templates.ys(t), templates.pointCount(t) });
    }
}

// Scores only fall as distances grow, so one distance divides those that reach the
// minimum from those that do not; it is found among the floats' bit patterns, which
// for non-negative floats rise with the values.
float PairScorer::furthestDistanceScoring(int32_t minimumScore)
{
    auto reaches = [&](uint32_t bits) { return GestureRecognizer::scoreOfDistance(std::bit_cast<float>(bits)).value_or(0) >= minimumScore; };
    if (!reaches(0))
        return -std::numeric_limits<float>::infinity();
    uint32_t low = 0;
    uint32_t high = std::bit_cast<uint32_t>(std::numeric_limits<float>::infinity());
    while (high - low > 1) {
        uint32_t middle = low + (high - low) / 2;
        (reaches(middle) ? low : high) = middle;
    }
    return std::bit_cast<float>(low);
}

std::optional<float> PairScorer::distance(size_t drawing, size_t templates, float ceiling)
{
    const auto& drawn = m_drawings[drawing];
    const Gesture& gesture = *m_stored[templates];
    // Recognition never names a gesture without an identity.
    if (!drawn || gesture.strokes().size() != drawn->strokeCount || gesture.identity().empty())
        return std::nullopt;
    m_searched.clear();
    const TemplateSet& set = gesture.templates();
    for (size_t t = 0; t < set.size(); ++t) {
        if (GestureRecognizer::startsInTheSameDirection(drawn->startUnitVector, set.startUnitVector(t)))
            m_searched.push_back(m_templates[templates][t]);
    }
    auto best = m_matchers[drawing]->bestTemplate(m_searched, ceiling);
    return best ? std::optional(best->distance) : std::nullopt;
}

std::optional<int32_t> PairScorer::scoreOf(std::optional<float> distance) const
{
    return distance ? GestureRecognizer::scoreOfDistance(*distance) : std::nullopt;
}

// A distance within the furthest that reaches the minimum is exact; beyond it, it only
// says that the minimum is not reached. With a minimum of zero or less every pair is
// listed, even one that the matcher cannot compare at all.
std::optional<PairScores> PairScorer::scores(size_t first, size_t second)
{
    constexpr float anywhere = std::numeric_limits<float>::infinity();
    bool listsAll = m_minimumScore <= 0;
    auto within = [&](std::optional<float> distance) { return distance && *distance <= m_furthest; };
    auto firstAsSecond = distance(first, second, listsAll ? anywhere : m_furthest);
    bool firstReaches = within(firstAsSecond);
    auto secondAsFirst = distance(second, first, listsAll || firstReaches ? anywhere : m_furthest);
    if (!listsAll && !firstReaches) {
        if (!within(secondAsFirst))
            return std::nullopt;
        firstAsSecond = distance(first, second, anywhere);
    }
    return PairScores { scoreOf(firstAsSecond), scoreOf(secondAsFirst) };
}

}
