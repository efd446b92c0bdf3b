#include "core/Gesture.h"

#include "core/ResampleWalk.h"
#include "core/Unistrokes.h"

namespace scriblo {

void Gesture::generateTemplates()
{
    auto source = std::make_shared<const std::vector<GestureStroke>>(m_strokes);
    auto unistrokes = unistrokes::buildUnistrokes(*source, unistrokes::allStrokeOrders(int(source->size())));
    auto resampled = ResampleWalk::resampleStrokes(unistrokes);
    unistrokes.clear();
    size_t coordinateCount = 0;
    for (const auto& stroke : resampled)
        coordinateCount += 2 * stroke.points().size();
    // One block for all coordinates: a gesture's templates live and die together.
    auto block = std::make_shared_for_overwrite<float[]>(coordinateCount);
    std::vector<GestureTemplate> templates;
    templates.reserve(resampled.size());
    size_t offset = 0;
    for (size_t i = 0; i < resampled.size(); ++i) {
        templates.push_back(GestureTemplate(source, uint32_t(i), resampled[i], block, offset));
        offset += 2 * resampled[i].points().size();
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
