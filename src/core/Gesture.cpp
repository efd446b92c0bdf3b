#include "core/Gesture.h"

#include "core/ResampleWalk.h"
#include "core/TemplatePipeline.h"
#include "core/Unistrokes.h"

namespace scriblo {

void Gesture::generateTemplates()
{
    auto source = std::make_shared<const std::vector<GestureStroke>>(m_strokes);
    auto unistrokes = unistrokes::buildUnistrokes(*source, unistrokes::allStrokeOrders(int(source->size())));
    auto resampled = ResampleWalk::resampleStrokes(unistrokes);
    unistrokes.clear();
    std::vector<GestureStroke> processed;
    processed.reserve(resampled.size());
    size_t coordinateCount = 0;
    for (auto& stroke : resampled) {
        processed.push_back(pipeline::normalizeResampledStroke(std::move(stroke)));
        coordinateCount += 2 * processed.back().points().size();
    }
    // One block for all coordinates: a gesture's templates live and die together.
    auto block = std::make_shared<float[]>(coordinateCount);
    std::vector<GestureTemplate> templates;
    templates.reserve(processed.size());
    size_t offset = 0;
    for (size_t i = 0; i < processed.size(); ++i) {
        templates.push_back(GestureTemplate(source, uint32_t(i), processed[i], block, offset));
        offset += 2 * processed[i].points().size();
    }
    m_templates = std::move(templates);
}

int32_t Gesture::totalPointCount() const
{
    int64_t count = 0;
    for (const auto& stroke : m_strokes)
        count += stroke.pointCount();
    return int32_t(std::min<int64_t>(count, INT32_MAX));
}

std::string Gesture::description() const
{
    std::string text;
    for (const auto& stroke : m_strokes)
        text += stroke.description() + " \r";
    return text;
}

}
