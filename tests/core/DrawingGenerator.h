#pragma once

#include "core/GestureStroke.h"

#include <cstdint>
#include <random>
#include <vector>

namespace scriblo::equivalence {

// Seeded drawings meant to reach the awkward corners of the arithmetic: dense sub-unit
// spacing, repeated points, lines, tiny and huge drawings, rotated and reordered copies.
class DrawingGenerator {
public:
    explicit DrawingGenerator(uint32_t seed)
        : m_random(seed) { }

    double uniform(double low, double high) { return low + (high - low) * (double(m_random()) / 4294967296.0); }
    int integer(int low, int high) { return low + int(m_random() % uint32_t(high - low + 1)); }
    bool chance(double probability) { return uniform(0, 1) < probability; }

    std::vector<GestureStroke> drawing(int strokeCount);
    // The same shape drawn again: turned, moved, resized, with jitter, and sometimes with
    // strokes in another order or direction.
    std::vector<GestureStroke> variant(const std::vector<GestureStroke>& strokes);
    // Exactly `count` points spread over the strokes, at least one per stroke.
    std::vector<GestureStroke> sparseDrawing(int strokeCount, int count);
    static GestureStroke reversed(const GestureStroke& stroke);

private:
    GestureStroke stroke(int strokeId);

    std::mt19937 m_random;
};

}
