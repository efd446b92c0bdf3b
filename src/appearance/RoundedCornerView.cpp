#include "appearance/RoundedCornerView.h"

#include <QPainter>
#include <QPaintEvent>

namespace scriblo {

namespace {

constexpr qreal backgroundWhite = 0.05;

}

RoundedCornerView::RoundedCornerView(QWidget* parent)
    : QWidget(parent)
{
}

void RoundedCornerView::setRoundRadius(float radius)
{
    if (radius == m_roundRadius)
        return;
    m_roundRadius = radius;
    update();
}

void RoundedCornerView::setAlpha(qreal alpha)
{
    if (alpha == m_alpha)
        return;
    m_alpha = alpha;
    update();
}

void RoundedCornerView::setOpaqueFallback(bool opaque)
{
    if (opaque == m_opaqueFallback)
        return;
    m_opaqueFallback = opaque;
    update();
}

void RoundedCornerView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_opaqueFallback) {
        painter.fillRect(event->rect(), QColor::fromRgbF(backgroundWhite, backgroundWhite, backgroundWhite, 1));
        return;
    }
    QColor fill = QColor::fromRgbF(backgroundWhite, backgroundWhite, backgroundWhite, m_alpha);
    if (m_roundRadius <= 0) {
        painter.fillRect(event->rect(), fill);
        return;
    }
    // The rounded shape is that of the whole view even when only part of it is repainted;
    // rounding the repainted part would put corners in the middle of the background.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(rect()), m_roundRadius, m_roundRadius);
}

}
