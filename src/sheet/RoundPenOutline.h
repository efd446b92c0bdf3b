#pragma once

#include <QPainterPath>

namespace scriblo {

// The outline of the area a round pen covers along a polyline: along one side, round the
// far end, back along the other side and round the near end, with an arc on the outer
// side of each turn. Filled on pixels with the winding rule it looks as the pen would,
// without Qt's stroker, which measures every join's angle and builds each round one from
// curves, and spent most of a page's time on drawings of many turns. A printed page keeps
// the pen, which it stores as one line.
class RoundPenOutline {
public:
    // `polyline` is a path of straight segments, a moveTo and lineTos; `pixelsPerUnit` is
    // how large the painter draws its units, which sets how finely the arcs are cut.
    static QPainterPath of(const QPainterPath& polyline, double width, double pixelsPerUnit);
};

}
