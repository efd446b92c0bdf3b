#pragma once

#include "core/GestureStroke.h"

#include <vector>

// Expands a multistroke drawing into every unistroke: each order of its strokes, each
// combination of stroke directions. The order of the result decides ties in matching.
namespace scriblo::unistrokes {

using StrokeOrder = std::vector<int>;

// Heap's algorithm, recursive form, working in place on `order`.
void permuteStrokeOrders(int count, StrokeOrder& order, std::vector<StrokeOrder>& result);

// The strokes joined in `order`, stroke order[i] reversed when bit i of `reversedBits`
// is set.
GestureStroke unistroke(const std::vector<GestureStroke>& strokes, const StrokeOrder& order, unsigned reversedBits);
std::vector<GestureStroke> buildUnistrokes(const std::vector<GestureStroke>& strokes, const std::vector<StrokeOrder>& orders);

std::vector<StrokeOrder> allStrokeOrders(int strokeCount);

}
