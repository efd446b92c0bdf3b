#include "core/ResampleWalk.h"

#include "core/ProcessorFeatures.h"
#include "core/ResampleLanes.h"
#include "core/TemplatePipeline.h"

namespace scriblo {

float ResampleWalk::measure(const std::vector<GesturePoint>& points, float* segments)
{
    float length = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        segments[i] = pipeline::pointDistance(points[i - 1], points[i]);
        length += segments[i];
    }
    return length / float(pipeline::resampledPointCount - 1);
}

ResampleWalk::ResampleWalk(const GestureStroke& stroke)
    : m_points(stroke.points())
    , m_segments(stroke.points().size())
{
    if (m_points.empty()) {
        m_done = true;
        return;
    }
    m_interval = measure(m_points, m_segments.data());
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
    while (!isDone())
        step();
    if (!m_points.empty()) {
        while (m_resampled.size() < size_t(pipeline::resampledPointCount))
            m_resampled.push_back(m_points.back());
    }
    return GestureStroke(std::move(m_resampled));
}

GestureStroke ResampleWalk::resample(const GestureStroke& stroke)
{
    return ResampleWalk(stroke).finish();
}

void ResampleWalk::resampleInTurn(const std::vector<GestureStroke>& strokes, size_t first, size_t end,
                                  std::vector<GestureStroke>& resampled)
{
    // A walk is a chain of dependent steps; four in turn keep the processor busy.
    constexpr size_t interleaved = 4;
    // Whole groups step together with no checks between the walks while all go on.
    for (; first + interleaved <= end; first += interleaved) {
        ResampleWalk a(strokes[first]), b(strokes[first + 1]), c(strokes[first + 2]), d(strokes[first + 3]);
        while (!a.isDone() && !b.isDone() && !c.isDone() && !d.isDone()) {
            a.step();
            b.step();
            c.step();
            d.step();
        }
        for (ResampleWalk* walk : { &a, &b, &c, &d })
            resampled.push_back(std::move(*walk).finish());
    }
    for (; first < end; ++first)
        resampled.push_back(resample(strokes[first]));
}

std::vector<GestureStroke> ResampleWalk::resampleUnistrokes(std::span<const unistrokes::Path> paths)
{
    static const bool lanes = supportsAvx2();
    std::vector<GestureStroke> resampled;
    resampled.reserve(paths.size());
    size_t first = 0;
    for (; lanes && first + ResampleLanes::width <= paths.size(); first += ResampleLanes::width) {
        if (!ResampleLanes::resample(paths.subspan(first, ResampleLanes::width), resampled))
            resampleJoined(paths.subspan(first, ResampleLanes::width), resampled);
    }
    resampleJoined(paths.subspan(first), resampled);
    return resampled;
}

void ResampleWalk::resampleJoined(std::span<const unistrokes::Path> paths, std::vector<GestureStroke>& resampled)
{
    std::vector<GestureStroke> joined;
    joined.reserve(paths.size());
    for (const auto& path : paths)
        joined.push_back(path.joined());
    resampleInTurn(joined, 0, joined.size(), resampled);
}

}
