#pragma once

#include "core/GestureStroke.h"

#include <filesystem>
#include <string>
#include <vector>

namespace scriblo::bench {

struct NamedDrawing {
    std::string identity;
    std::vector<GestureStroke> strokes;
};

// Real three-stroke drawings (types H, I, N and asterisk of the multistroke log set),
// read once: the first `storedCount` are to be stored, the rest are candidates.
struct ThreeStrokeDrawings {
    std::vector<NamedDrawing> stored;
    std::vector<NamedDrawing> candidates;
    // Why there are none, when there are none.
    std::string problem;
};

const ThreeStrokeDrawings& threeStrokeDrawings();

// Synthetic drawing of `strokeCount` arcs, 20 points each, so that template generation
// can be measured without the data folder.
std::vector<GestureStroke> syntheticDrawing(int strokeCount);

// The process's resident set size in bytes, from /proc/self/status.
double residentBytes();

}
