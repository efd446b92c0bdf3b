#pragma once

#include "core/GesturePoint.h"
#include "core/GestureStroke.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace scriblo {

// Compares one preprocessed candidate with template strokes over the bounded rotation
// search. The search's angles depend only on the outcomes of its comparisons, so they
// form a fixed binary tree; the candidate rotated to each visited angle is kept and
// reused for every later template, which turns most rotations into lookups while giving
// the same numbers as rotating afresh.
class CandidateMatcher {
public:
    static constexpr float searchBound = 0.5235988f;
    static constexpr float firstProbe = 0.12360491f;
    static constexpr float searchPrecision = 0.034906585f;
    static constexpr double phi = 0.6180339887498949;
    static constexpr double oneMinusPhi = 0.3819660112501051;
    static constexpr int searchSteps = 8;

    explicit CandidateMatcher(const GestureStroke& candidate);

    float distanceAtBestAngle(const GestureStroke& templateStroke);

private:
    struct Rotation {
        std::vector<float> x;
        std::vector<float> y;
    };
    static constexpr int treeSize = 2 << searchSteps;

    const Rotation& rotationAt(int node, float angle);
    Rotation rotate(float angle) const;
    void loadTemplate(const GestureStroke& templateStroke);
    float strokeDistance(const Rotation& rotated) const;

    std::vector<float> m_x;
    std::vector<float> m_y;
    GesturePoint m_centroid;
    std::array<std::unique_ptr<Rotation>, treeSize> m_rotations;
    // The template being searched, split into coordinate arrays like the rotations.
    std::vector<float> m_templateX;
    std::vector<float> m_templateY;
};

}
