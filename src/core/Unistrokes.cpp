#include "core/Unistrokes.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace scriblo::unistrokes {

void permuteStrokeOrders(int count, StrokeOrder& order, std::vector<StrokeOrder>& result)
{
    if (count == 1) {
        result.push_back(order);
        return;
    }
    for (int i = 0; i < count; ++i) {
        permuteStrokeOrders(count - 1, order, result);
        if (count % 2 == 1)
            std::swap(order[0], order[size_t(count - 1)]);
        else
            std::swap(order[size_t(i)], order[size_t(count - 1)]);
    }
}

std::vector<StrokeOrder> allStrokeOrders(int strokeCount)
{
    StrokeOrder order(size_t(std::max(strokeCount, 0)));
    std::iota(order.begin(), order.end(), 0);
    std::vector<StrokeOrder> orders;
    permuteStrokeOrders(strokeCount, order, orders);
    return orders;
}

GestureStroke unistroke(const std::vector<GestureStroke>& strokes, const StrokeOrder& order, unsigned reversedBits)
{
    return Path { &strokes, order, reversedBits }.joined();
}

GestureStroke Path::joined() const
{
    std::vector<GesturePoint> points;
    points.reserve(pointCount());
    forEachPoint([&](const GesturePoint& point) { points.push_back(point); });
    return GestureStroke(std::move(points));
}

size_t Path::pointCount() const
{
    size_t total = 0;
    for (int index : order)
        total += (*strokes)[size_t(index)].points().size();
    return total;
}

std::vector<Path> allPaths(const std::vector<GestureStroke>& strokes, const std::vector<StrokeOrder>& orders)
{
    std::vector<Path> result;
    for (const auto& order : orders) {
        unsigned combinations = 1u << order.size();
        for (unsigned bits = 0; bits < combinations; ++bits)
            result.push_back({ &strokes, order, bits });
    }
    return result;
}

}
