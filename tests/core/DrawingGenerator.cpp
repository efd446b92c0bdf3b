#include "core/DrawingGenerator.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace scriblo::equivalence {

std::vector<GestureStroke> DrawingGenerator::drawing(int strokeCount)
{
    std::vector<GestureStroke> strokes;
    for (int s = 0; s < strokeCount; ++s)
        strokes.push_back(stroke(s + 1));
    return strokes;
}

std::vector<GestureStroke> DrawingGenerator::variant(const std::vector<GestureStroke>& strokes)
{
    double angle = chance(0.2) ? 0 : uniform(-0.8, 0.8);
    double scale = chance(0.2) ? 1 : uniform(0.3, 2.5);
    double jitter = chance(0.3) ? 0 : uniform(0, 6);
    double moveX = uniform(-200, 200);
    double moveY = uniform(-200, 200);
    std::vector<GestureStroke> result;
    for (const auto& stroke : strokes) {
        GestureStroke changed;
        for (const auto& point : stroke.points()) {
            double x = point.x() * scale;
            double y = point.y() * scale;
            changed.addPoint(GesturePoint(float(x * std::cos(angle) - y * std::sin(angle) + moveX + uniform(-jitter, jitter)),
                float(x * std::sin(angle) + y * std::cos(angle) + moveY + uniform(-jitter, jitter)), point.strokeId()));
        }
        if (chance(0.15))
            changed = reversed(changed);
        result.push_back(changed);
    }
    if (result.size() > 1 && chance(0.2))
        std::swap(result[0], result[result.size() - 1]);
    return result;
}

std::vector<GestureStroke> DrawingGenerator::sparseDrawing(int strokeCount, int count)
{
    auto strokes = std::vector<GestureStroke>(size_t(strokeCount));
    for (int i = 0; i < count; ++i) {
        int s = i < strokeCount ? i : integer(0, strokeCount - 1);
        strokes[size_t(s)].addPoint(GesturePoint(float(uniform(0, 1000)), float(uniform(0, 1000)), s + 1));
    }
    return strokes;
}

GestureStroke DrawingGenerator::reversed(const GestureStroke& stroke)
{
    return GestureStroke(std::vector<GesturePoint>(stroke.points().rbegin(), stroke.points().rend()));
}

GestureStroke DrawingGenerator::stroke(int strokeId)
{
    static constexpr double spacings[] = { 0.2, 0.5, 0.9, 1.0, 1.3, 2.0, 3.7, 8.0, 25.0, 90.0 };
    double spacing = spacings[integer(0, 9)];
    double size = chance(0.1) ? uniform(1, 12) : uniform(20, 900);
    double originX = uniform(-50, 1000);
    double originY = uniform(-50, 1000);
    std::vector<std::pair<double, double>> corners;
    switch (integer(0, 4)) {
    case 0: // a line, often exactly horizontal or vertical
        corners = { { 0, 0 }, chance(0.5) ? std::pair { size, chance(0.5) ? 0.0 : uniform(0, size / 5) } : std::pair { 0.0, size } };
        break;
    case 1: // an arc
        for (int i = 0, n = integer(4, 16); i <= n; ++i) {
            double turn = uniform(1, 6.3) * i / n;
            corners.emplace_back(size / 2 * std::cos(turn), size / 2 * std::sin(turn));
        }
        break;
    case 2: // all points at one place
        return GestureStroke(std::vector<GesturePoint>(size_t(integer(1, 20)), GesturePoint(float(originX), float(originY), strokeId)));
    default: // a zigzag
        for (int i = 0, n = integer(2, 6); i < n; ++i)
            corners.emplace_back(uniform(0, size), uniform(0, size));
    }
    GestureStroke result;
    result.addPoint(GesturePoint(float(originX + corners[0].first), float(originY + corners[0].second), strokeId));
    for (size_t c = 1; c < corners.size(); ++c) {
        double dx = corners[c].first - corners[c - 1].first;
        double dy = corners[c].second - corners[c - 1].second;
        int steps = std::max(1, std::min(200, int(std::hypot(dx, dy) / spacing)));
        for (int i = 1; i <= steps; ++i) {
            GesturePoint point(float(originX + corners[c - 1].first + dx * i / steps), float(originY + corners[c - 1].second + dy * i / steps), strokeId);
            result.addPoint(point);
            if (chance(0.05))
                result.addPoint(point);
        }
    }
    return result;
}

}
