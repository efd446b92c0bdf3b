#include "core/CandidateMatcher.h"

#include "core/TemplatePipeline.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace scriblo {

namespace {

// Within this many units in both directions, the truncated squares add up to less than
// 2^24, so float arithmetic holds them exactly; and a float square root of such an
// integer equals the double square root narrowed to float (rounding twice is harmless
// for square roots when the wider format has at least 2p + 2 bits). Rotated candidates
// and templates lie within about ±1400 units, so the fast path nearly always applies.
constexpr int32_t exactFloatDifference = 2896;

// The reference sum: sequential, one rounding per point, in point order.
float exactDistanceSum(const float* rotatedX, const float* rotatedY, const float* templateX, const float* templateY, size_t count)
{
    float sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += pipeline::pointDistance(rotatedX[i], rotatedY[i], templateX[i], templateY[i]);
    return sum;
}

#ifdef __SSE2__
// Four point distances at once; lanes whose difference is out of the exact range are
// flagged in `outside`, and the caller then redoes the stroke the slow way.
inline __m128 fourDistances(const float* rotatedX, const float* rotatedY, const float* templateX, const float* templateY, __m128i& outside)
{
    // The processor's truncation yields INT32_MIN for out-of-range values and NaN, as
    // pointDistance defines them; those lanes are flagged below anyway.
    __m128i dx = _mm_cvttps_epi32(_mm_sub_ps(_mm_loadu_ps(templateX), _mm_loadu_ps(rotatedX)));
    __m128i dy = _mm_cvttps_epi32(_mm_sub_ps(_mm_loadu_ps(templateY), _mm_loadu_ps(rotatedY)));
    const __m128i upper = _mm_set1_epi32(exactFloatDifference);
    const __m128i lower = _mm_set1_epi32(-exactFloatDifference);
    outside = _mm_or_si128(outside, _mm_or_si128(_mm_cmpgt_epi32(dx, upper), _mm_cmplt_epi32(dx, lower)));
    outside = _mm_or_si128(outside, _mm_or_si128(_mm_cmpgt_epi32(dy, upper), _mm_cmplt_epi32(dy, lower)));
    __m128 fx = _mm_cvtepi32_ps(dx);
    __m128 fy = _mm_cvtepi32_ps(dy);
    return _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(fx, fx), _mm_mul_ps(fy, fy)));
}

std::optional<float> fastDistanceSum(const float* rotatedX, const float* rotatedY, const float* templateX, const float* templateY, size_t count)
{
    __m128i outside = _mm_setzero_si128();
    float sum = 0;
    size_t i = 0;
    alignas(16) float distances[4];
    for (; i + 4 <= count; i += 4) {
        _mm_store_ps(distances, fourDistances(rotatedX + i, rotatedY + i, templateX + i, templateY + i, outside));
        sum += distances[0];
        sum += distances[1];
        sum += distances[2];
        sum += distances[3];
    }
    if (_mm_movemask_epi8(outside))
        return std::nullopt;
    for (; i < count; ++i)
        sum += pipeline::pointDistance(rotatedX[i], rotatedY[i], templateX[i], templateY[i]);
    return sum;
}
#endif

}

CandidateMatcher::CandidateMatcher(const GestureStroke& candidate)
    : m_centroid(pipeline::strokeCentroid(candidate))
{
    m_x.reserve(candidate.points().size());
    m_y.reserve(candidate.points().size());
    for (const auto& point : candidate.points()) {
        m_x.push_back(point.x());
        m_y.push_back(point.y());
    }
}

CandidateMatcher::Rotation CandidateMatcher::rotate(float angle) const
{
    float cosine = std::cos(angle);
    float sine = std::sin(angle);
    float cx = m_centroid.x();
    float cy = m_centroid.y();
    Rotation rotated;
    rotated.x.resize(m_x.size());
    rotated.y.resize(m_y.size());
    for (size_t i = 0; i < m_x.size(); ++i) {
        float dx = m_x[i] - cx;
        float dy = m_y[i] - cy;
        rotated.x[i] = dx * cosine - dy * sine + cx;
        rotated.y[i] = dx * sine + dy * cosine + cy;
    }
    return rotated;
}

const CandidateMatcher::Rotation& CandidateMatcher::rotationAt(int node, float angle)
{
    auto& slot = m_rotations[size_t(node)];
    // The bounds fix the search at eight steps, so the tree never overflows.
    assert(node < treeSize);
    if (!slot)
        slot = std::make_unique<Rotation>(rotate(angle));
    return *slot;
}

// Only the points both strokes have are compared.
void CandidateMatcher::loadTemplate(const GestureStroke& templateStroke)
{
    size_t count = std::min(m_x.size(), templateStroke.points().size());
    m_templateX.resize(count);
    m_templateY.resize(count);
    const GesturePoint* points = templateStroke.points().data();
    for (size_t i = 0; i < count; ++i) {
        m_templateX[i] = points[i].x();
        m_templateY[i] = points[i].y();
    }
}

// The divisor is always the candidate's point count, whatever the template's length.
float CandidateMatcher::strokeDistance(const Rotation& rotated) const
{
    const float* rotatedX = rotated.x.data();
    const float* rotatedY = rotated.y.data();
    size_t count = m_templateX.size();
#ifdef __SSE2__
    if (auto sum = fastDistanceSum(rotatedX, rotatedY, m_templateX.data(), m_templateY.data(), count))
        return *sum / float(m_x.size());
#endif
    return exactDistanceSum(rotatedX, rotatedY, m_templateX.data(), m_templateY.data(), count) / float(m_x.size());
}

// Golden-section search over ±30°. The angles it probes form a binary tree: slots 0 and
// 1 hold the two first probes, and from the root (node 1) each step descends to 2·node
// when the bracket closes from above and to 2·node + 1 when it closes from below.
float CandidateMatcher::distanceAtBestAngle(const GestureStroke& templateStroke)
{
    loadTemplate(templateStroke);
    float a = -searchBound;
    float b = searchBound;
    float x1 = -firstProbe;
    float x2 = firstProbe;
    float f1 = strokeDistance(rotationAt(0, x1));
    float f2 = strokeDistance(rotationAt(1, x2));
    int node = 1;
    do {
        if (f1 < f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = float(phi * a + oneMinusPhi * b);
            node = node * 2;
            f1 = strokeDistance(rotationAt(node, x1));
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = float(oneMinusPhi * a + phi * b);
            node = node * 2 + 1;
            f2 = strokeDistance(rotationAt(node, x2));
        }
    } while (!(std::fabs(b - a) <= searchPrecision));
    return f1 < f2 ? f1 : f2;
}

}
