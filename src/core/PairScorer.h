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
// for the whole store. A pair that cannot reach the minimum either way is dismissed
// without its exact scores: only templates that could come within the minimum's
// distance are searched for it.
class PairScorer {
public:
    // A later gesture that one drawing recognises as, or that recognises as it, at the
    // minimum, with what each scores against the other's templates.
    struct Pair {
        size_t second { 0 };
        std::optional<int32_t> firstAsSecond;
        std::optional<int32_t> secondAsFirst;
    };

    // Knowing each template point's radius tightens the bounds of a template searched
    // many times over, but costs a pass over every point of the store: a single check
    // searches most templates once.
    enum class Searches { Few, Many };
    PairScorer(const GestureRecognizer::GestureList& stored, int32_t minimumScore, Searches searches = Searches::Many);

    // The pairs of each gesture in [first, last) with the gestures after it, a list for
    // each in order. Every drawing's comparisons with a rank of gestures are searched at
    // once, spread over the processors.
    std::vector<std::vector<Pair>> rows(size_t first, size_t last) const;

    size_t drawingCount(size_t gesture) const { return m_drawings[gesture].size(); }

    // The gesture whose templates lie nearest to drawing `drawing` of gesture `gesture`,
    // of all but the `skipped`, as recognition among them would find it (the first of
    // equals in store order, whether or not it has an identity), where it lies within
    // `ceiling`.
    struct Nearest {
        size_t gesture { 0 };
        float distance { 0 };
    };
    std::optional<Nearest> nearest(size_t gesture, size_t drawing, std::span<const size_t> skipped, float ceiling) const;
    // Each stored drawing's distance from each of `gestures` alone, where it lies within
    // that gesture's ceiling: for each stored gesture in order, a row for each of its
    // drawings, the gestures spread over the processors.
    using DrawingDistances = std::vector<std::vector<std::optional<float>>>;
    std::vector<DrawingDistances> distancesFrom(std::span<const size_t> gestures, std::span<const float> ceilings) const;

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

    // The templates of `gestures` that a drawing may be compared with, in order, and
    // where each gesture's begin, with one more start at their end.
    struct Gathered {
        std::vector<CandidateMatcher::Points> templates;
        std::vector<size_t> starts;
    };
    Gathered gather(const GestureRecognizer::Candidate& drawn, std::span<const size_t> gestures, bool withNameless) const;
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
    // Beside each template, what choosing it for a drawing reads: where it starts out to
    // and how many strokes its drawing has. Kept side by side, they are read without
    // visiting each gesture and template set, as every search of the whole store does.
    struct Start {
        GesturePoint direction;
        size_t strokeCount;
    };
    std::vector<std::vector<Start>> m_starts;
    std::vector<std::vector<float>> m_radii;
};

}
