#include "core/GestureTemplate.h"

#include "core/TemplatePipeline.h"
#include "core/Unistrokes.h"

#include <algorithm>

namespace scriblo {

GestureTemplate::GestureTemplate(GestureStroke unistroke)
{
    GestureStroke resampled = pipeline::resampleStroke(unistroke);
    auto block = std::make_shared_for_overwrite<float[]>(2 * resampled.points().size());
    *this = GestureTemplate(std::make_shared<const std::vector<GestureStroke>>(1, std::move(unistroke)), 0, resampled, block, 0);
}

GestureTemplate::GestureTemplate(Source source, uint32_t unistroke, const GestureStroke& resampled, const std::shared_ptr<float[]>& block, size_t offset)
    : m_source(std::move(source))
    , m_coordinates(block, block.get() + offset)
    , m_pointCount(resampled.pointCount())
    , m_unistroke(unistroke)
{
    float* x = block.get() + offset;
    float* y = x + m_pointCount;
    pipeline::normalizeResampledStroke(resampled, x, y);
    m_startUnitVector = pipeline::strokeStartUnitVector(x, y, size_t(m_pointCount));
}

GestureStroke GestureTemplate::originalStroke() const
{
    if (!m_source)
        return GestureStroke();
    auto strokeCount = unsigned(m_source->size());
    auto orders = unistrokes::allStrokeOrders(int(strokeCount));
    if (orders.empty())
        return m_source->empty() ? GestureStroke() : m_source->front();
    return unistrokes::unistroke(*m_source, orders[m_unistroke >> strokeCount], m_unistroke & ((1u << strokeCount) - 1));
}

// The stroke identifiers come from running the pipeline on the original stroke again;
// the coordinates are the stored ones that matching uses.
GestureStroke GestureTemplate::stroke() const
{
    std::vector<GesturePoint> points = pipeline::normalizeResampledStroke(pipeline::resampleStroke(originalStroke())).takePoints();
    points.resize(size_t(m_pointCount));
    for (int32_t i = 0; i < m_pointCount; ++i)
        points[size_t(i)] = GesturePoint(xs()[i], ys()[i], points[size_t(i)].strokeId());
    return GestureStroke(std::move(points));
}

std::string GestureTemplate::description() const
{
    return stroke().description();
}

}
