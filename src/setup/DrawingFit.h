#pragma once

#include "core/GestureStroke.h"

#include <cstdint>
#include <vector>

namespace scriblo {

// Brings a drawing within the number of points the store keeps. A slow drawing with a
// mouse that reports a thousand times a second easily holds several thousand points,
// and the store refuses such a gesture outright.
//
// Each stroke is resampled to evenly spaced points along its own path rather than cut
// short: the matcher resamples every stroke to a fixed number of points anyway, so a
// stroke that keeps its whole path with fewer points is matched as the same shape, while
// a stroke cut short is a different shape, and the end of a drawing usually tells it apart.
class DrawingFit {
public:
    // The strokes unchanged when they hold at most `maximumPointCount` points in all.
    // Otherwise the points are shared out by path length, so every part of the drawing
    // keeps the same density, and no stroke is given more points than it had.
    static std::vector<GestureStroke> withinPointCount(std::vector<GestureStroke> strokes, int32_t maximumPointCount);

    // `count` points at equal distances along the stroke's path, its first and last point
    // among them; `count` is at least 2.
    static GestureStroke resampled(const GestureStroke& stroke, int32_t count);

private:
    static double pathLength(const GestureStroke& stroke);
    static std::vector<int32_t> pointShares(const std::vector<GestureStroke>& strokes, int32_t maximumPointCount);
};

}
