#pragma once

#include "core/CandidateMatcher.h"
#include "core/GestureRecognizer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace scriblo {

// Scores each stored gesture's drawings against other stored gestures' templates alone,
// as GestureRecognizer::recognizeCandidate would against a list of that one gesture,
// keeping the best of its drawings, with every drawing and template list prepared once
// for the whole store. A pair that
// cannot reach the minimum either way is dismissed without its exact scores: only
// templates that could come within the minimum's distance are searched for it.
class PairScorer {
public:
    // A later gesture that one drawing recognises as, or that recognises as it, at the
    // minimum, with what each scores against the other's templates.
    struct Pair {
        size_t second { 0 };
        std::optional<int32_t> firstAsSecond;
        std::optional<int32_t> secondAsFirst;
    };

    PairScorer(const GestureRecognizer::GestureList& stored, int32_t minimumScore);

    // The pairs of each gesture in [first, last) with the gestures after it, a list for
    // each in order. Every drawing's comparisons with a rank of gestures are searched at
    // once, spread over the processors.
    std::vector<std::vector<Pair>> rows(size_t first, size_t last) const;

    // The furthest distance that scores at least `minimumScore`; below zero when none does.
    static float furthestDistanceScoring(int32_t minimumScore);

private:
    // A pair's distances as far as they are known: exact up to the furthest distance
    // searched for, beyond it only known to be further.
    struct Distances {
        std::optional<float> firstAsSecond;
        std::optional<float> secondAsFirst;
    };
    using Block = std::vector<std::vector<Distances>>;

    bool reaches(std::optional<float> distance) const { return distance && *distance <= m_furthest; }
    // The distance of the nearest drawing of gesture `drawing` from each of `gestures`,
    // each searched up to its ceiling, with each drawing's matcher made on first use.
    void search(size_t drawing, std::vector<std::optional<CandidateMatcher>>& matchers, std::span<const size_t> gestures,
                std::span<const float> ceilings, std::span<std::optional<float>> distances) const;
    void searchDrawing(const GestureRecognizer::Candidate& drawn, std::optional<CandidateMatcher>& matcher,
                       std::span<const size_t> gestures, std::span<const float> ceilings,
                       std::span<std::optional<float>> distances) const;
    void searchFirstAsSecond(size_t first, size_t last, Block& block, bool exact) const;
    void searchFirstAsSecondAmong(size_t first, size_t last, size_t from,
                                  std::vector<std::vector<std::optional<CandidateMatcher>>>& matchers, Block& block, bool exact) const;
    void searchSecondAsFirst(size_t first, size_t last, Block& block) const;
    void searchSecondAsFirstOf(size_t j, size_t first, size_t last, Block& block) const;
    std::optional<int32_t> scoreOf(std::optional<float> distance) const;

    const GestureRecognizer::GestureList& m_stored;
    bool m_listsAll;
    float m_furthest;
    // Each gesture's drawings, and the templates of all its drawings in order.
    std::vector<std::vector<std::optional<GestureRecognizer::Candidate>>> m_drawings;
    std::vector<std::vector<CandidateMatcher::Points>> m_templates;
    std::vector<std::vector<float>> m_radii;
};

}
