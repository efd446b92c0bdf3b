#include "appearance/StrokePainter.h"

#include <QPainter>

namespace scriblo {

void StrokePainter::paintStroke(QPainter& painter, const QPainterPath& path, double lineWidth)
{
    static const QColor lineColour(49, 212, 74);
    painter.strokePath(path, QPen(QColor::fromRgbF(0, 0, 0, edgeOpacity), lineWidth * edgeWidthFactor, Qt::SolidLine,
                                  Qt::RoundCap, Qt::RoundJoin));
    painter.strokePath(path, QPen(lineColour, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

}
