#include "appearance/RepeatedImageView.h"

#include "appearance/AppPalette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace scriblo {

RepeatedImageView::RepeatedImageView(QWidget* parent)
    : QWidget(parent)
{
}

void RepeatedImageView::setRoundRadius(float radius)
{
    m_roundRadius = radius;
    update();
}

void RepeatedImageView::setImage(const QPixmap& image)
{
    m_image = image;
    m_hasBackground = false;
    update();
}

void RepeatedImageView::paintEvent(QPaintEvent* event)
{
    if (!m_hasBackground) {
        m_background = m_image.isNull() ? QBrush(Qt::black) : QBrush(m_image);
        m_hasBackground = true;
    }
    QPainter painter(this);
    const QColor edge = AppPalette::windowEdge();
    if (m_roundRadius <= 0) {
        painter.fillRect(event->rect(), m_background);
        painter.setPen(edge);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(m_background);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_roundRadius, m_roundRadius);
}

void RepeatedImageView::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    Q_EMIT clicked();
}

}
