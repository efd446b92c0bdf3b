#include "core/Gesture.h"

#include <algorithm>

namespace scriblo {

void Gesture::generateTemplates()
{
    if (!m_strokes)
        m_strokes = std::make_shared<const std::vector<GestureStroke>>();
    m_templates = TemplateSet::generate(m_strokes);
}

const std::vector<GestureStroke>& Gesture::noStrokes()
{
    static const std::vector<GestureStroke> none;
    return none;
}

int32_t Gesture::totalPointCount() const
{
    int64_t count = 0;
    for (const auto& stroke : strokes())
        count += stroke.pointCount();
    return int32_t(std::min<int64_t>(count, INT32_MAX));
}

std::string Gesture::description() const
{
    std::string text;
    for (const auto& stroke : strokes())
        text += stroke.description() + " \r";
    return text;
}

}
