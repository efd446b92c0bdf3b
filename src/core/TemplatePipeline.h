#pragma once

#include "core/GesturePoint.h"
#include "core/GestureStroke.h"

#include <cstdint>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

// The preprocessing steps shared by templates and candidates. Every step makes new
// points and rounds each float operation on its own, so results are reproducible to the
// last bit on any conforming compiler (the core is built without contraction).
namespace scriblo::pipeline {

inline constexpr int32_t resampledPointCount = 160;
inline constexpr float squareSize = 1000;
inline constexpr double oneDimensionalThreshold = 0.25;
inline constexpr int32_t startVectorFrom = 2;
inline constexpr int32_t startVectorTo = 9;
inline constexpr float largestFloat = 3.4028235e38f;

struct BoundingBox {
    float minimumX { largestFloat };
    float minimumY { largestFloat };
    float maximumX { -largestFloat };
    float maximumY { -largestFloat };
    float width() const { return maximumX - minimumX; }
    float height() const { return maximumY - minimumY; }
};

// A float difference truncated toward zero. Values outside the 32-bit range (and NaN)
// give INT32_MIN, which is what the processor's own truncation yields, but without
// relying on undefined behaviour.
inline int64_t truncateToInteger(float value)
{
    if (value >= -2147483648.0f && value < 2147483648.0f)
        return int32_t(value);
    return INT32_MIN;
}

// Not the Euclidean distance: both differences are truncated to whole units first.
// The sum of squares is taken in unsigned 64 bits so that no input can overflow it:
// two squares of INT32_MIN add up to 2^63.
inline int64_t truncateDifference(float value)
{
#if defined(__SSE__)
    // The processor's own truncation: one instruction on the resampling walk's chain.
    return _mm_cvtt_ss2si(_mm_set_ss(value));
#else
    return truncateToInteger(value);
#endif
}

inline float pointDistance(float px, float py, float qx, float qy)
{
    int64_t dx = truncateDifference(qx - px);
    int64_t dy = truncateDifference(qy - py);
    uint64_t sum = uint64_t(dx * dx) + uint64_t(dy * dy);
    // Below 2^24 the sum is an exact float and its float root equals the narrowed double
    // root, and the float root is the shorter step in the resampling walk's chain.
    if (sum < (uint64_t(1) << 24))
        return __builtin_sqrtf(float(int32_t(sum)));
    return float(__builtin_sqrt(double(sum)));
}

inline float pointDistance(const GesturePoint& p, const GesturePoint& q)
{
    return pointDistance(p.x(), p.y(), q.x(), q.y());
}

GestureStroke resampleStroke(const GestureStroke& stroke);
BoundingBox strokeBoundingBox(const GestureStroke& stroke);
// Scaling works on the stroke it is handed, which callers move in, so no step copies
// points it does not change.
GestureStroke scaleStrokeToSquare(GestureStroke stroke);
GesturePoint strokeCentroid(const GestureStroke& stroke);
GesturePoint strokeStartUnitVector(const GestureStroke& stroke);
GesturePoint strokeStartUnitVector(const float* x, const float* y, size_t count);
// Scaling into the square, then translation that puts the centroid at the origin: what
// follows resampling. The second form writes the coordinates into `x` and `y`, which
// hold the stroke's point count each, and makes no intermediate stroke.
GestureStroke normalizeResampledStroke(GestureStroke resampled);
void normalizeResampledStroke(const GestureStroke& resampled, float* x, float* y);

}
