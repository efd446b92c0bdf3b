#include "appearance/AppBezel.h"

#include "appearance/AppPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace scriblo {

QRectF AppBezel::outline(const QRectF& frame)
{
    // Half a point in, so the one-point outline falls on whole pixels; one point less
    // high, for the glow below it.
    return frame.adjusted(0.5, 0.5, -0.5, -1.5);
}

void AppBezel::paint(QPainter& painter, const QRectF& frame, const QBrush& fill, const QColor& highlight)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF shape = outline(frame);
    const qreal radius = AppPalette::cornerRadius;
    // The glow one point under the outline lifts the control off the dark background.
    painter.setPen(QPen(AppPalette::outlineGlow(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(shape.translated(0, 1), radius, radius);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(shape, radius, radius);
    QPainterPath clip;
    clip.addRoundedRect(shape, radius, radius);
    painter.setClipPath(clip);
    painter.setPen(QPen(highlight, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame.adjusted(0.5, 1.5, -0.5, frame.height()), radius, radius);
    painter.restore();
}

}
