#include "core/ResampleWalk.h"

#include "core/TemplatePipeline.h"

namespace scriblo {

ResampleWalk::ResampleWalk(const GestureStroke& stroke)
    : m_points(stroke.points())
    , m_segments(stroke.points().size())
{
    if (m_points.empty()) {
        m_done = true;
        return;
    }
    float length = 0;
    for (size_t i = 1; i < m_points.size(); ++i) {
        m_segments[i] = pipeline::pointDistance(m_points[i - 1], m_points[i]);
        length += m_segments[i];
    }
    m_interval = length / float(pipeline::resampledPointCount - 1);
    m_previous = m_points.front();
    m_resampled.reserve(size_t(pipeline::resampledPointCount));
    m_resampled.push_back(m_previous);
    m_done = m_points.size() < 2;
    if (!m_done)
        m_distance = m_segments[1];
}

[[gnu::always_inline]] inline void ResampleWalk::step()
{
    if (!(m_travelled + m_distance > m_interval)) {
        // Drawn points short of the interval only add to the distance travelled, so a
        // step runs on to the next placement without leaving the loop.
        do {
            m_travelled += m_distance;
            if (++m_next == m_points.size()) {
                m_done = true;
                return;
            }
            m_distance = m_segments[m_next];
        } while (!(m_travelled + m_distance > m_interval));
        m_previous = m_points[m_next - 1];
    }
    const GesturePoint& next = m_points[m_next];
    float t = (m_interval - m_travelled) / m_distance;
    m_previous = GesturePoint(m_previous.x() + (next.x() - m_previous.x()) * t,
        m_previous.y() + (next.y() - m_previous.y()) * t, m_previous.strokeId());
    m_resampled.push_back(m_previous);
    m_travelled = 0;
    m_distance = pipeline::pointDistance(m_previous, next);
    if (m_resampled.size() >= size_t(maximumPointCount))
        m_done = true;
}

GestureStroke ResampleWalk::finish() &&
{
    if (!m_points.empty()) {
        while (m_resampled.size() < size_t(pipeline::resampledPointCount))
            m_resampled.push_back(m_points.back());
    }
    return GestureStroke(std::move(m_resampled));
}

GestureStroke ResampleWalk::resample(const GestureStroke& stroke)
{
    ResampleWalk walk(stroke);
    while (!walk.isDone())
        walk.step();
    return std::move(walk).finish();
}

std::vector<GestureStroke> ResampleWalk::resampleStrokes(const std::vector<GestureStroke>& strokes)
{
    // A walk is a chain of dependent steps; four in turn keep the processor busy.
    constexpr size_t interleaved = 4;
    std::vector<GestureStroke> resampled;
    resampled.reserve(strokes.size());
    size_t first = 0;
    // Whole groups step together with no checks between the walks while all go on.
    for (; first + interleaved <= strokes.size(); first += interleaved) {
        ResampleWalk a(strokes[first]), b(strokes[first + 1]), c(strokes[first + 2]), d(strokes[first + 3]);
        while (!a.isDone() && !b.isDone() && !c.isDone() && !d.isDone()) {
            a.step();
            b.step();
            c.step();
            d.step();
        }
        for (ResampleWalk* walk : { &a, &b, &c, &d }) {
            while (!walk->isDone())
                walk->step();
            resampled.push_back(std::move(*walk).finish());
        }
    }
    for (; first < strokes.size(); ++first)
        resampled.push_back(resample(strokes[first]));
    return resampled;
}

}
