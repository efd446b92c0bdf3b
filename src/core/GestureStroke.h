#pragma once

#include "core/GesturePoint.h"

#include <string>
#include <vector>

namespace scriblo {

// An ordered run of points. Points are held by value: nothing changes a point once it
// sits in a stroke, so sharing and copying give the same numbers.
class GestureStroke {
public:
    GestureStroke() = default;
    explicit GestureStroke(std::vector<GesturePoint> points)
        : m_points(std::move(points)) { }

    void addPoint(const GesturePoint& point) { m_points.push_back(point); }
    void insertPoint(const GesturePoint& point, int32_t index);
    int32_t pointCount() const { return int32_t(m_points.size()); }
    const GesturePoint& pointAtIndex(int32_t index) const { return m_points[size_t(index)]; }
    const std::vector<GesturePoint>& points() const& { return m_points; }
    std::vector<GesturePoint> takePoints() && { return std::move(m_points); }
    void setPoints(std::vector<GesturePoint> points) { m_points = std::move(points); }
    void reserve(size_t count) { m_points.reserve(count); }

    bool operator==(const GestureStroke&) const = default;

    std::string description() const;

private:
    std::vector<GesturePoint> m_points;
};

}
