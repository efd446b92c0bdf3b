#include "core/Gesture.h"

#include "core/ResampleWalk.h"
#include "core/Unistrokes.h"

namespace scriblo {

void Gesture::generateTemplates()
{
    auto unistrokes = unistrokes::buildUnistrokes(m_strokes, unistrokes::allStrokeOrders(int(m_strokes.size())));
    auto resampled = ResampleWalk::resampleStrokes(unistrokes);
    std::vector<GestureTemplate> templates;
    templates.reserve(unistrokes.size());
    for (size_t i = 0; i < unistrokes.size(); ++i)
        templates.push_back(GestureTemplate(std::move(unistrokes[i]), std::move(resampled[i])));
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
