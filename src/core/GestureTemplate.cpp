#include "core/GestureTemplate.h"

#include "core/TemplatePipeline.h"
#include "core/Unistrokes.h"

#include <algorithm>

namespace scriblo {

GestureTemplate::GestureTemplate(GestureStroke unistroke)
    : m_set(TemplateSet::single(std::move(unistroke)))
{
}

GestureStroke GestureTemplate::originalStroke() const
{
    if (!m_set)
        return GestureStroke();
    const auto& source = *m_set->source();
    auto strokeCount = unsigned(source.size());
    auto orders = unistrokes::allStrokeOrders(int(strokeCount));
    if (orders.empty())
        return source.empty() ? GestureStroke() : source.front();
    return unistrokes::unistroke(source, orders[m_index >> strokeCount], m_index & ((1u << strokeCount) - 1));
}

// The stroke identifiers come from running the pipeline on the original stroke again;
// the coordinates are the stored ones that matching uses.
GestureStroke GestureTemplate::stroke() const
{
    std::vector<GesturePoint> points = pipeline::normalizeResampledStroke(pipeline::resampleStroke(originalStroke())).takePoints();
    int32_t count = pointCount();
    points.resize(size_t(count));
    for (int32_t i = 0; i < count; ++i)
        points[size_t(i)] = GesturePoint(xs()[i], ys()[i], points[size_t(i)].strokeId());
    return GestureStroke(std::move(points));
}

std::string GestureTemplate::description() const
{
    return stroke().description();
}

}
