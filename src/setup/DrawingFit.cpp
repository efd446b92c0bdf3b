#include "setup/DrawingFit.h"

#include <algorithm>
#include <cmath>

namespace scriblo {

namespace {

double distance(const GesturePoint& from, const GesturePoint& to)
{
    return std::hypot(double(to.x()) - from.x(), double(to.y()) - from.y());
}

GesturePoint between(const GesturePoint& from, const GesturePoint& to, double fraction)
{
    return { float(from.x() + (double(to.x()) - from.x()) * fraction),
             float(from.y() + (double(to.y()) - from.y()) * fraction), from.strokeId() };
}

}

std::vector<GestureStroke> DrawingFit::withinPointCount(std::vector<GestureStroke> strokes, int32_t maximumPointCount)
{
    int64_t total = 0;
    for (const auto& stroke : strokes)
        total += stroke.pointCount();
    // Each stroke keeps at least its two ends, so a limit below that cannot be met.
    if (total <= maximumPointCount || maximumPointCount < 2 * int64_t(strokes.size()))
        return strokes;
    std::vector<int32_t> shares = pointShares(strokes, maximumPointCount);
    for (size_t index = 0; index < strokes.size(); ++index) {
        if (shares[index] < strokes[index].pointCount())
            strokes[index] = resampled(strokes[index], shares[index]);
    }
    return strokes;
}

std::vector<int32_t> DrawingFit::pointShares(const std::vector<GestureStroke>& strokes, int32_t maximumPointCount)
{
    std::vector<double> weights;
    double totalWeight = 0;
    for (const auto& stroke : strokes) {
        weights.push_back(pathLength(stroke));
        totalWeight += weights.back();
    }
    // Strokes that are all dots have no length to share by; their points will do.
    if (totalWeight == 0) {
        for (size_t index = 0; index < strokes.size(); ++index) {
            weights[index] = strokes[index].pointCount();
            totalWeight += weights[index];
        }
    }
    // Two points of each stroke are set aside for its ends, so rounding down the shares
    // of the rest keeps the sum within the limit.
    double spare = maximumPointCount - 2.0 * double(strokes.size());
    std::vector<int32_t> shares;
    for (size_t index = 0; index < strokes.size(); ++index) {
        int32_t count = strokes[index].pointCount();
        int32_t share = int32_t(std::floor(spare * weights[index] / totalWeight)) + 2;
        shares.push_back(std::min(share, count));
    }
    return shares;
}

double DrawingFit::pathLength(const GestureStroke& stroke)
{
    const auto& points = stroke.points();
    double length = 0;
    for (size_t index = 1; index < points.size(); ++index)
        length += distance(points[index - 1], points[index]);
    return length;
}

GestureStroke DrawingFit::resampled(const GestureStroke& stroke, int32_t count)
{
    const auto& points = stroke.points();
    if (points.empty())
        return stroke;
    double interval = pathLength(stroke) / (count - 1);
    std::vector<GesturePoint> placed { points.front() };
    placed.reserve(size_t(count));
    GesturePoint previous = points.front();
    double travelled = 0;
    for (size_t index = 1; index < points.size() && interval > 0; ++index) {
        double step = distance(previous, points[index]);
        // Several placements may fall within one long drawn segment.
        while (travelled + step >= interval && int32_t(placed.size()) < count - 1) {
            previous = between(previous, points[index], (interval - travelled) / step);
            placed.push_back(previous);
            step = distance(previous, points[index]);
            travelled = 0;
        }
        travelled += step;
        previous = points[index];
    }
    // Rounding can leave the last placement just short of the end; the end is kept.
    while (int32_t(placed.size()) < count)
        placed.push_back(points.back());
    return GestureStroke(std::move(placed));
}

}
