#include "core/CandidateMatcher.h"

#include "core/TemplatePipeline.h"

#include <cassert>
#include <cmath>

namespace scriblo {

CandidateMatcher::CandidateMatcher(const GestureStroke& candidate)
    : m_centroid(pipeline::strokeCentroid(candidate))
{
    m_x.reserve(candidate.points().size());
    m_y.reserve(candidate.points().size());
    for (const auto& point : candidate.points()) {
        m_x.push_back(point.x());
        m_y.push_back(point.y());
    }
    m_distances.resize(m_x.size());
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

// The per-point distances are independent and vectorise; the sum must stay a sequential
// float sum to round exactly as the reference does.
float CandidateMatcher::strokeDistance(const Rotation& rotated, const GestureStroke& templateStroke) const
{
    const GesturePoint* points = templateStroke.points().data();
    size_t count = std::min(m_x.size(), templateStroke.points().size());
    float* distances = m_distances.data();
    for (size_t i = 0; i < count; ++i)
        distances[i] = pipeline::pointDistance(rotated.x[i], rotated.y[i], points[i].x(), points[i].y());
    float sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += distances[i];
    return sum / float(m_x.size());
}

float CandidateMatcher::distanceAtAngle(float angle, const GestureStroke& templateStroke) const
{
    return strokeDistance(rotate(angle), templateStroke);
}

// Golden-section search over ±30°. The angles it probes form a binary tree: slots 0 and
// 1 hold the two first probes, and from the root (node 1) each step descends to 2·node
// when the bracket closes from above and to 2·node + 1 when it closes from below.
float CandidateMatcher::distanceAtBestAngle(const GestureStroke& templateStroke)
{
    float a = -searchBound;
    float b = searchBound;
    float x1 = -firstProbe;
    float x2 = firstProbe;
    float f1 = strokeDistance(rotationAt(0, x1), templateStroke);
    float f2 = strokeDistance(rotationAt(1, x2), templateStroke);
    int node = 1;
    do {
        if (f1 < f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = float(phi * a + oneMinusPhi * b);
            node = node * 2;
            f1 = strokeDistance(rotationAt(node, x1), templateStroke);
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = float(oneMinusPhi * a + phi * b);
            node = node * 2 + 1;
            f2 = strokeDistance(rotationAt(node, x2), templateStroke);
        }
    } while (!(std::fabs(b - a) <= searchPrecision));
    return f1 < f2 ? f1 : f2;
}

}
