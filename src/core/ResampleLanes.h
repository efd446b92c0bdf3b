#pragma once

#include "core/GestureStroke.h"
#include "core/Unistrokes.h"

#include <span>
#include <vector>

namespace scriblo {

// Sixteen resampling walks side by side in AVX2 lanes. A lone walk waits on its own chain
// of divisions and roots; eight lanes share each instruction, and two groups of eight
// fill each other's waits. Every lane takes the steps
// ResampleWalk takes, with the same float operations in the same order, so it places
// exactly the points the lone walk places.
class ResampleLanes {
public:
    static constexpr size_t width = 16;

    // Appends the sixteen resampled `paths` to `resampled`. False,
    // with `resampled` unchanged, where the lanes cannot follow the lone walk exactly
    // (a stroke under two points, a distance too large for exact small-number
    // arithmetic, a walk placing far more points than it should) or this build has no
    // AVX2 lanes; the caller then walks those strokes one by one.
    static bool resample(std::span<const unistrokes::Path> paths, std::vector<GestureStroke>& resampled);
};

}
