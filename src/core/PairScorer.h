#pragma once

#include "core/CandidateMatcher.h"
#include "core/GestureRecognizer.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace scriblo {

// Both scores of a pair of stored gestures, where at least one reaches the minimum.
struct PairScores {
    std::optional<int32_t> firstAsSecond;
    std::optional<int32_t> secondAsFirst;
};

// Scores each stored drawing against another stored gesture's templates alone, as
// GestureRecognizer::recognizeCandidate would against a list of that one gesture, with
// every drawing and template list prepared once for the whole store. A pair that
// cannot reach the minimum either way is dismissed without its exact scores: only
// templates that could come within the minimum's distance are searched for it.
class PairScorer {
public:
    PairScorer(const GestureRecognizer::GestureList& stored, int32_t minimumScore);

    // Nothing when neither of the two recognises as the other at the minimum.
    std::optional<PairScores> scores(size_t first, size_t second);

    // The furthest distance that scores at least `minimumScore`; below zero when none does.
    static float furthestDistanceScoring(int32_t minimumScore);

private:
    std::optional<float> distance(size_t drawing, size_t templates, float ceiling);
    std::optional<int32_t> scoreOf(std::optional<float> distance) const;

    const GestureRecognizer::GestureList& m_stored;
    int32_t m_minimumScore;
    float m_furthest;
    std::vector<std::optional<GestureRecognizer::Candidate>> m_drawings;
    std::vector<std::optional<CandidateMatcher>> m_matchers;
    std::vector<std::vector<CandidateMatcher::Points>> m_templates;
    std::vector<CandidateMatcher::Points> m_searched;
};

}
