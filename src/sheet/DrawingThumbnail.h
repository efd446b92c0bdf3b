#pragma once

#include "core/GestureStroke.h"

#include <QPixmap>
#include <QRectF>

#include <vector>

class QPainter;

namespace scriblo {

// A stored drawing shown small, in the look of the setup window's drawing view: the
// drawing's own extent fills a dark well, so a small gesture drawn in a corner of the
// view is as legible as one that filled it.
class DrawingThumbnail {
public:
    static void paint(QPainter& painter, const QRectF& well, const std::vector<GestureStroke>& strokes);
    static QPixmap pixmap(const std::vector<GestureStroke>& strokes, QSize size, qreal devicePixelRatio);

private:
    static QRectF extent(const std::vector<GestureStroke>& strokes);
};

}
