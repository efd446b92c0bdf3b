#include "core/GestureTemplate.h"

#include "core/TemplatePipeline.h"
#include "core/Unistrokes.h"

#include <algorithm>

namespace scriblo {

GestureTemplate::GestureTemplate(GestureStroke unistroke)
{
    GestureStroke processed = pipeline::normalizeResampledStroke(pipeline::resampleStroke(unistroke));
    auto block = std::make_shared<float[]>(2 * processed.points().size());
    *this = GestureTemplate(std::make_shared<const std::vector<GestureStroke>>(1, std::move(unistroke)), 0, processed, block, 0);
}

GestureTemplate::GestureTemplate(Source source, uint32_t unistroke, const GestureStroke& processed, const std::shared_ptr<float[]>& block, size_t offset)
    : m_source(std::move(source))
    , m_coordinates(block, block.get() + offset)
    , m_pointCount(processed.pointCount())
    , m_unistroke(unistroke)
    , m_startUnitVector(pipeline::strokeStartUnitVector(processed))
{
    float* x = block.get() + offset;
    float* y = x + m_pointCount;
    for (const auto& point : processed.points()) {
        *x++ = point.x();
        *y++ = point.y();
    }
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
