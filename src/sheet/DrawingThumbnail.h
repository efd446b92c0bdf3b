#pragma once

#include "core/GestureStroke.h"

#include <QPixmap>
#include <QRectF>

#include <vector>

class QPainter;

namespace scriblo {

// A stored drawing shown small: the drawing's own extent fills its well, so a small
// gesture drawn in a corner of the view is as legible as one that filled it.
class DrawingThumbnail {
public:
    enum class Look {
        // The setup window's drawing view: a green line in a dark well.
        Screen,
        // Paper: a dark line in a light frame, legible from any printer, even one
        // without colour, and without a page's worth of dark wells to print.
        Ink,
    };

    static void paint(QPainter& painter, const QRectF& well, const std::vector<GestureStroke>& strokes,
                      Look look = Look::Screen);
    static QPixmap pixmap(const std::vector<GestureStroke>& strokes, QSize size, qreal devicePixelRatio);

private:
    static QRectF extent(const std::vector<GestureStroke>& strokes);
    static void paintWell(QPainter& painter, const QRectF& well, Look look);
    static void paintLine(QPainter& painter, const QPainterPath& path, double lineWidth, Look look);
};

}
