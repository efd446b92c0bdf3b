#include "appearance/StrokePainter.h"

#include <QPainter>

namespace scriblo {

void StrokePainter::paintStroke(QPainter& painter, const QPainterPath& path, double lineWidth, std::optional<QColor> ground)
{
    static const QColor lineColour(49, 212, 74);
    // Drawn with a pen rather than QPainter::strokePath, which turns the line into the
    // outline of its area first: a printed page then holds every round join as curves,
    // where a pen is one stroke operator a line.
    painter.save();
    painter.setBrush(Qt::NoBrush);
    QColor edge = QColor::fromRgbF(0, 0, 0, edgeOpacity);
    // On a known ground the edge is the blend it makes there, opaque: a printed page
    // strokes an opaque pen as it is, but turns a translucent one into its outline.
    if (ground)
        edge = QColor::fromRgbF(ground->redF() * (1 - edgeOpacity), ground->greenF() * (1 - edgeOpacity),
                                ground->blueF() * (1 - edgeOpacity));
    painter.setPen(QPen(edge, lineWidth * edgeWidthFactor, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(lineColour, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

}
