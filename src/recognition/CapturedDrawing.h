#pragma once

#include "core/GestureStroke.h"

#include <map>
#include <vector>

namespace scriblo {

// A position in the capture widget, in its own units: origin at the top left, y growing
// downward, as the widget receives and paints positions.
struct ViewPoint {
    double x = 0;
    double y = 0;

    bool operator==(const ViewPoint&) const = default;
};

// The strokes of one capture, keyed by stroke id and kept in the order they began, and
// the path drawn for each. Points are in thousandths of the drawing surface, y upward.
class CapturedDrawing {
public:
    using Paths = std::map<int32_t, std::vector<ViewPoint>>;

    bool hasStroke(int32_t strokeId) const { return m_gestureStrokes.contains(strokeId); }
    size_t strokeCount() const { return m_orderedStrokeIds.size(); }
    void beginStroke(int32_t strokeId);
    void addPoint(const GesturePoint& point);

    // Beginning a path replaces any path the id had.
    void beginPath(int32_t strokeId, ViewPoint start);
    // Nothing is drawn for an id without a path.
    void extendPath(int32_t strokeId, ViewPoint to);
    bool hasPath(int32_t strokeId) const { return m_paths.contains(strokeId); }
    const Paths& paths() const { return m_paths; }

    // An independent copy, in the order the strokes began.
    std::vector<GestureStroke> orderedStrokes() const;
    std::vector<GestureStroke> takeOrderedStrokes();

private:
    std::vector<int32_t> m_orderedStrokeIds;
    std::map<int32_t, GestureStroke> m_gestureStrokes;
    Paths m_paths;
};

}
