#pragma once

#include "core/GestureStroke.h"

#include <vector>

namespace scriblo::testing {

// One stroke of `points` points along a parabola whose steepness `turn` changes: as
// many distinct drawings as a test needs, of any length.
inline std::vector<GestureStroke> drawing(int points, float turn = 0)
{
    GestureStroke stroke;
    for (int i = 0; i < points; ++i)
        stroke.addPoint(GesturePoint(float(i) * 37, float(i * i) * (3 + turn), 1));
    return { stroke };
}

}
