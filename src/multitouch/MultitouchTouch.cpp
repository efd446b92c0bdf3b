#include "multitouch/MultitouchTouch.h"

#include <cstdio>

namespace scriblo {

MultitouchTouch::MultitouchTouch(const MTTouch& touch)
    : m_identifier(touch.identifier)
    , m_state(touch.state)
    , m_x(touch.x)
    , m_y(touch.y)
    , m_minorAxis(touch.minorAxis)
    , m_majorAxis(touch.majorAxis)
    , m_angle(touch.angle)
    , m_size(touch.size)
    , m_velX(touch.velocityX)
    , m_velY(touch.velocityY)
{
}

std::string MultitouchTouch::description() const
{
    char text[512];
    std::snprintf(text, sizeof text,
                  "Id: %i, State: %i, X: %f, Y: %f, MinorAxis: %f, MajorAxis: %f, Angle: %f, Size: %f, "
                  "VelocityX: %f, VelocityY: %f",
                  m_identifier, m_state, double(m_x), double(m_y), double(m_minorAxis), double(m_majorAxis),
                  double(m_angle), double(m_size), double(m_velX), double(m_velY));
    return text;
}

}
