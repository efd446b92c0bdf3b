#pragma once

#include <QColor>
#include <QPainterPath>

#include <optional>

class QPainter;

namespace scriblo {

// How a drawn stroke looks wherever one is drawn (the recognition window and the setup
// window's drawing view): a green line with a soft dark edge, round at its ends and joins.
class StrokePainter {
public:
    static constexpr double edgeOpacity = 0.36;
    static constexpr double edgeWidthFactor = 1.5;

    // A polyline through points that have `x` and `y`.
    template <class Points>
    static QPainterPath pathThrough(const Points& points)
    {
        QPainterPath path;
        bool first = true;
        for (const auto& point : points) {
            if (first)
                path.moveTo(point.x, point.y);
            else
                path.lineTo(point.x, point.y);
            first = false;
        }
        return path;
    }

    // `ground` is the opaque colour beneath the stroke, where the caller knows it.
    static void paintStroke(QPainter& painter, const QPainterPath& path, double lineWidth,
                            std::optional<QColor> ground = std::nullopt);
};

}
