#pragma once

#include "core/GestureStroke.h"

#include <algorithm>
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

// A unistroke read where its strokes lie: joining 48 copies of a full drawing's 3,072
// points took longer than resampling them.
struct Path {
    const std::vector<GestureStroke>* strokes;
    StrokeOrder order;
    unsigned reversedBits;

    size_t pointCount() const;
    // Calls `visit(point)` for each point of the unistroke in turn.
    template <class Visit>
    void forEachPoint(Visit visit) const
    {
        for (size_t i = 0; i < order.size(); ++i) {
            const auto& drawn = (*strokes)[size_t(order[i])].points();
            if (reversedBits & (1u << i))
                std::for_each(drawn.rbegin(), drawn.rend(), visit);
            else
                std::for_each(drawn.begin(), drawn.end(), visit);
        }
    }
    // The unistroke as one stroke of its own.
    GestureStroke joined() const;
};

// Every unistroke of `strokes` in `orders`, each order with every combination of
// directions in turn.
std::vector<Path> allPaths(const std::vector<GestureStroke>& strokes, const std::vector<StrokeOrder>& orders);

std::vector<StrokeOrder> allStrokeOrders(int strokeCount);

}
