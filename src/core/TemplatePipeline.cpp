#include "core/TemplatePipeline.h"

#include "core/ResampleWalk.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace scriblo::pipeline {

GestureStroke resampleStroke(const GestureStroke& stroke)
{
    return ResampleWalk::resample(stroke);
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

namespace {

// The factors of scaling into the square, applied point by point.
class SquareScaling {
public:
    explicit SquareScaling(const BoundingBox& box)
    {
        double width = box.width();
        double height = box.height();
        m_uniform = smallerRatio(width, height) <= oneDimensionalThreshold;
        m_factor = float(double(squareSize) / std::max(width, height));
        m_xFactor = double(squareSize) / width;
        m_yFactor = double(squareSize) / height;
    }

    float x(float x) const { return m_uniform ? x * m_factor : float(double(x) * m_xFactor); }
    float y(float y) const { return m_uniform ? y * m_factor : float(double(y) * m_yFactor); }

    // Every point with the choice of factors made once, and the coordinates' sums.
    void scale(const std::vector<GesturePoint>& points, float* x, float* y, float& sumX, float& sumY) const
    {
        if (m_uniform) {
            for (size_t i = 0; i < points.size(); ++i) {
                x[i] = points[i].x() * m_factor;
                y[i] = points[i].y() * m_factor;
                sumX += x[i];
                sumY += y[i];
            }
            return;
        }
        for (size_t i = 0; i < points.size(); ++i) {
            x[i] = float(double(points[i].x()) * m_xFactor);
            y[i] = float(double(points[i].y()) * m_yFactor);
            sumX += x[i];
            sumY += y[i];
        }
    }

private:
    bool m_uniform { false };
    float m_factor { 0 };
    double m_xFactor { 0 };
    double m_yFactor { 0 };
};

}

GestureStroke scaleStrokeToSquare(GestureStroke stroke)
{
    SquareScaling scaling(strokeBoundingBox(stroke));
    std::vector<GesturePoint> points = std::move(stroke).takePoints();
    for (auto& point : points)
        point = GesturePoint(scaling.x(point.x()), scaling.y(point.y()), point.strokeId());
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

// A stroke too short to have a tenth point (only an empty input gets here) has no start
// direction; NaN makes every start-direction test fail, as coincident points do.
static GesturePoint startUnitVector(const float* x, const float* y, size_t count)
{
    if (count <= size_t(startVectorTo)) {
        float nan = std::numeric_limits<float>::quiet_NaN();
        return GesturePoint(nan, nan, 0);
    }
    float vx = x[startVectorTo] - x[startVectorFrom];
    float vy = y[startVectorTo] - y[startVectorFrom];
    float length = std::sqrt(vx * vx + vy * vy);
    return GesturePoint(vx / length, vy / length, 0);
}

GesturePoint strokeStartUnitVector(const GestureStroke& stroke)
{
    const auto& points = stroke.points();
    float x[startVectorTo + 1];
    float y[startVectorTo + 1];
    for (size_t i = 0; i <= size_t(startVectorTo) && i < points.size(); ++i) {
        x[i] = points[i].x();
        y[i] = points[i].y();
    }
    return startUnitVector(x, y, points.size());
}

GesturePoint strokeStartUnitVector(const float* x, const float* y, size_t count)
{
    return startUnitVector(x, y, count);
}

// Four values at a time, each rounded exactly as on its own.
static void subtract(float* values, size_t count, float amount)
{
    size_t i = 0;
#if defined(__SSE2__)
    __m128 amounts = _mm_set1_ps(amount);
    for (; i + 4 <= count; i += 4)
        _mm_storeu_ps(values + i, _mm_sub_ps(_mm_loadu_ps(values + i), amounts));
#endif
    for (; i < count; ++i)
        values[i] -= amount;
}

void normalizeResampledStroke(const GestureStroke& resampled, float* x, float* y)
{
    const auto& points = resampled.points();
    float sumX = 0;
    float sumY = 0;
    SquareScaling(strokeBoundingBox(resampled)).scale(points, x, y, sumX, sumY);
    // The centroid of the scaled points, as strokeCentroid takes it.
    float count = float(points.size());
    subtract(x, points.size(), sumX / count);
    subtract(y, points.size(), sumY / count);
}

GestureStroke normalizeResampledStroke(GestureStroke resampled)
{
    std::vector<float> x(resampled.points().size());
    std::vector<float> y(resampled.points().size());
    normalizeResampledStroke(resampled, x.data(), y.data());
    std::vector<GesturePoint> points = std::move(resampled).takePoints();
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = GesturePoint(x[i], y[i], points[i].strokeId());
    return GestureStroke(std::move(points));
}

}
