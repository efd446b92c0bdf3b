#include "core/GesturePoint.h"

#include <cstdio>

namespace scriblo {

std::string GesturePoint::description() const
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "X: %f Y: %f Stroke: %i", double(m_x), double(m_y), int(m_strokeId));
    return buffer;
}

}
