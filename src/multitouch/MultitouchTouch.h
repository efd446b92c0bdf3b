#pragma once

#include "multitouch/MTTouch.h"

#include <cstdint>
#include <string>

namespace scriblo {

// One contact of one frame, copied from the framework's record.
class MultitouchTouch {
public:
    explicit MultitouchTouch(const MTTouch& touch);

    int32_t identifier() const { return m_identifier; }
    int32_t state() const { return m_state; }
    float x() const { return m_x; }
    float y() const { return m_y; }
    float minorAxis() const { return m_minorAxis; }
    float majorAxis() const { return m_majorAxis; }
    float angle() const { return m_angle; }
    float size() const { return m_size; }
    float velX() const { return m_velX; }
    float velY() const { return m_velY; }

    std::string description() const;

private:
    int32_t m_identifier;
    int32_t m_state;
    float m_x, m_y;
    float m_minorAxis, m_majorAxis;
    float m_angle;
    float m_size;
    float m_velX, m_velY;
};

}
