#include "core/GestureStroke.h"

namespace scriblo {

void GestureStroke::insertPoint(const GesturePoint& point, int32_t index)
{
    m_points.insert(m_points.begin() + index, point);
}

std::string GestureStroke::description() const
{
    std::string text;
    for (const auto& point : m_points)
        text += point.description() + " \r";
    return text;
}

}
