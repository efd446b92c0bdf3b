#include "core/TemplatePipeline.h"

#include "core/ResampleWalk.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace scriblo::pipeline {

float strokeLength(const GestureStroke& stroke)
{
    const auto& points = stroke.points();
    float length = 0;
    for (size_t i = 1; i < points.size(); ++i)
        length += pointDistance(points[i - 1], points[i]);
    return length;
}

GestureStroke resampleStroke(const GestureStroke& stroke)
{
    ResampleWalk walk(stroke);
    while (!walk.isDone())
        walk.step();
    return std::move(walk).finish();
}

BoundingBox strokeBoundingBox(const GestureStroke& stroke)
{
    BoundingBox box;
    for (const auto& point : stroke.points()) {
        if (point.x() < box.minimumX)
            box.minimumX = point.x();
        if (point.x() > box.maximumX)
            box.maximumX = point.x();
        if (point.y() < box.minimumY)
            box.minimumY = point.y();
        if (point.y() > box.maximumY)
            box.maximumY = point.y();
    }
    return box;
}

static double smallerRatio(double width, double height)
{
    double widthOverHeight = width / height;
    double heightOverWidth = height / width;
    // Two zero sides give NaN, which must fall through to the stretching branch.
    return widthOverHeight < heightOverWidth ? widthOverHeight : heightOverWidth;
}

GestureStroke scaleStrokeToSquare(GestureStroke stroke)
{
    BoundingBox box = strokeBoundingBox(stroke);
    double width = box.width();
    double height = box.height();
    std::vector<GesturePoint> points = std::move(stroke).takePoints();
    if (smallerRatio(width, height) <= oneDimensionalThreshold) {
        float factor = float(double(squareSize) / std::max(width, height));
        for (auto& point : points)
            point = GesturePoint(point.x() * factor, point.y() * factor, point.strokeId());
    } else {
        double xFactor = double(squareSize) / width;
        double yFactor = double(squareSize) / height;
        for (auto& point : points)
            point = GesturePoint(float(double(point.x()) * xFactor), float(double(point.y()) * yFactor), point.strokeId());
    }
    return GestureStroke(std::move(points));
}

GesturePoint strokeCentroid(const GestureStroke& stroke)
{
    float sumX = 0;
    float sumY = 0;
    for (const auto& point : stroke.points()) {
        sumX += point.x();
        sumY += point.y();
    }
    float count = float(stroke.pointCount());
    return GesturePoint(sumX / count, sumY / count, 0);
}

GestureStroke translateStrokeToOrigin(GestureStroke stroke)
{
    GesturePoint centroid = strokeCentroid(stroke);
    std::vector<GesturePoint> points = std::move(stroke).takePoints();
    for (auto& point : points)
        point = GesturePoint(point.x() - centroid.x(), point.y() - centroid.y(), point.strokeId());
    return GestureStroke(std::move(points));
}

// A stroke too short to have a tenth point (only an empty input gets here) has no start
// direction; NaN makes every start-direction test fail, as coincident points do.
GesturePoint strokeStartUnitVector(const GestureStroke& stroke)
{
    if (stroke.pointCount() <= startVectorTo) {
        float nan = std::numeric_limits<float>::quiet_NaN();
        return GesturePoint(nan, nan, 0);
    }
    const GesturePoint& from = stroke.pointAtIndex(startVectorFrom);
    const GesturePoint& to = stroke.pointAtIndex(startVectorTo);
    float vx = to.x() - from.x();
    float vy = to.y() - from.y();
    float length = std::sqrt(vx * vx + vy * vy);
    return GesturePoint(vx / length, vy / length, 0);
}

GestureStroke normalizeResampledStroke(GestureStroke resampled)
{
    return translateStrokeToOrigin(scaleStrokeToSquare(std::move(resampled)));
}

}
