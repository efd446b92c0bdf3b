#pragma once

#include <QBrush>
#include <QColor>
#include <QRectF>

class QPainter;

namespace scriblo {

// The raised rounded shape under the look's buttons, check boxes, fields and picker:
// a gradient fill, a black outline with a faint glow under it, and a highlight line
// along the top edge.
class AppBezel {
public:
    // The outline that `paint` draws for a control's frame.
    static QRectF outline(const QRectF& frame);
    static void paint(QPainter& painter, const QRectF& frame, const QBrush& fill, const QColor& highlight);
};

}
