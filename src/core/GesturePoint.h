#pragma once

#include <cstdint>
#include <string>

namespace scriblo {

// A drawn or derived point. Coordinates are in thousandths of the drawing area; the
// matcher's distance truncates to whole units, so those units matter.
class GesturePoint {
public:
    constexpr GesturePoint() = default;
    constexpr GesturePoint(float x, float y, int32_t strokeId)
        : m_x(x), m_y(y), m_strokeId(strokeId) { }

    constexpr float x() const { return m_x; }
    constexpr float y() const { return m_y; }
    constexpr int32_t strokeId() const { return m_strokeId; }
    void setX(float x) { m_x = x; }
    void setY(float y) { m_y = y; }
    void setStrokeId(int32_t strokeId) { m_strokeId = strokeId; }

    bool operator==(const GesturePoint&) const = default;

    std::string description() const;

private:
    float m_x { 0 };
    float m_y { 0 };
    int32_t m_strokeId { 0 };
};

}
