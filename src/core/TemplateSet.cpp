#include "core/TemplateSet.h"

#include "core/GestureTemplate.h"
#include "core/ResampleWalk.h"
#include "core/TemplatePipeline.h"
#include "core/Unistrokes.h"

namespace scriblo {

std::shared_ptr<const TemplateSet> TemplateSet::generate(Source strokes)
{
    auto paths = unistrokes::allPaths(*strokes, unistrokes::allStrokeOrders(int(strokes->size())));
    auto resampled = ResampleWalk::resampleUnistrokes(paths);
    return make(std::move(strokes), resampled);
}

std::shared_ptr<const TemplateSet> TemplateSet::single(GestureStroke unistroke)
{
    auto source = std::make_shared<const std::vector<GestureStroke>>(1, std::move(unistroke));
    std::vector<GestureStroke> resampled;
    resampled.push_back(pipeline::resampleStroke(source->front()));
    return make(std::move(source), resampled);
}

const TemplateSet& TemplateSet::none()
{
    static const TemplateSet empty;
    return empty;
}

std::shared_ptr<const TemplateSet> TemplateSet::make(Source source, const std::vector<GestureStroke>& resampled)
{
    auto set = std::make_shared<TemplateSet>();
    set->m_source = std::move(source);
    set->m_size = resampled.size();
    set->m_offsets = std::make_unique_for_overwrite<uint32_t[]>(resampled.size() + 1);
    size_t coordinateCount = 0;
    for (size_t i = 0; i < resampled.size(); ++i) {
        set->m_offsets[i] = uint32_t(coordinateCount);
        coordinateCount += 2 * resampled[i].points().size();
    }
    set->m_offsets[resampled.size()] = uint32_t(coordinateCount);
    set->m_numbers = std::make_unique_for_overwrite<float[]>(2 * resampled.size() + coordinateCount);
    for (size_t i = 0; i < resampled.size(); ++i) {
        float* x = set->m_numbers.get() + 2 * resampled.size() + set->m_offsets[i];
        float* y = x + resampled[i].points().size();
        pipeline::normalizeResampledStroke(resampled[i], x, y);
        GesturePoint start = pipeline::strokeStartUnitVector(x, y, resampled[i].points().size());
        set->m_numbers[2 * i] = start.x();
        set->m_numbers[2 * i + 1] = start.y();
    }
    return set;
}

GestureTemplate TemplateSet::operator[](size_t index) const
{
    return GestureTemplate(shared_from_this(), uint32_t(index));
}

}
