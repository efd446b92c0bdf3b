#include "appearance/AppSegmentedControl.h"

#include "appearance/AccessibleSegmentedControl.h"
#include "appearance/AppBezel.h"
#include "appearance/AppPalette.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace scriblo {

AppSegmentedControl::AppSegmentedControl(const QStringList& labels, QWidget* parent)
    : QWidget(parent)
    , m_labels(labels)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    AccessibleSegmentedControl::install();
}

void AppSegmentedControl::setSelectedSegment(int segment)
{
    int previous = std::exchange(m_selected, segment >= 0 && segment < segmentCount() ? segment : -1);
    tellAssistiveTechnologies(previous);
    update();
}

QRectF AppSegmentedControl::segmentRect(int segment) const
{
    int count = segmentCount();
    qreal share = (width() - dividerWidth * (count - 1)) / qreal(count);
    qreal x = segment * (share + dividerWidth);
    qreal w = segment == count - 1 ? width() - x : share + dividerWidth;
    return QRectF(x, 0, w, height());
}

QSize AppSegmentedControl::sizeHint() const
{
    QFont font = this->font();
    font.setPixelSize(AppPalette::segmentPointSize);
    QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& label : m_labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    return QSize((widest + 16) * segmentCount(), 24);
}

void AppSegmentedControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(AppPalette::disabledSegmentOpacity);
    QRectF frame = rect();
    AppBezel::paint(painter, frame, AppPalette::darkGradient(frame), AppPalette::outlineGlow());
    QPainterPath clip;
    clip.addRoundedRect(AppBezel::outline(frame), AppPalette::cornerRadius, AppPalette::cornerRadius);
    painter.setClipPath(clip);
    for (int segment = 0; segment < segmentCount(); ++segment)
        paintSegment(painter, segment);
    if (hasFocus()) {
        painter.setClipping(false);
        QColor focus = AppPalette::accentGreen();
        focus.setAlphaF(0.5f);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(focus, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(segmentRect(std::max(m_selected, 0)).adjusted(2.5, 2.5, -2.5, -3.5), 2, 2);
    }
}

void AppSegmentedControl::paintSegment(QPainter& painter, int segment) const
{
    QRectF area = segmentRect(segment);
    bool selected = segment == m_selected;
    if (selected) {
        painter.fillRect(area, AppPalette::selectedSegmentGradient(area));
        // A sunken look: the shade falls from the top edge into the segment.
        QLinearGradient shade(area.topLeft(), area.topLeft() + QPointF(0, 4));
        shade.setColorAt(0, QColor::fromRgbF(0, 0, 0, 0.8f));
        shade.setColorAt(1, QColor::fromRgbF(0, 0, 0, 0));
        painter.fillRect(area, shade);
    } else if (segment != segmentCount() - 1 && segment + 1 != m_selected) {
        paintDivider(painter, area);
    }
    if (segment == m_pressed && isEnabled())
        painter.fillRect(area, AppPalette::segmentPressedShade());
    QFont font = painter.font();
    font.setPixelSize(AppPalette::segmentPointSize);
    painter.setFont(font);
    QRect label = area.toAlignedRect();
    painter.setPen(Qt::black);
    painter.drawText(label.translated(0, 1), Qt::AlignCenter, m_labels[segment]);
    painter.setPen(selected ? AppPalette::accentGreen() : AppPalette::segmentLabel());
    painter.drawText(label, Qt::AlignCenter, m_labels[segment]);
}

void AppSegmentedControl::paintDivider(QPainter& painter, const QRectF& segment) const
{
    qreal x = std::round(segment.x() + segment.width() - 1);
    painter.fillRect(QRectF(x, segment.y(), 1, segment.height()), AppPalette::outlineGlow());
    QRectF line(x - 1, segment.y(), 1, segment.height());
    painter.fillRect(line, AppPalette::dividerGradient(line));
}

int AppSegmentedControl::segmentAt(QPointF position) const
{
    for (int segment = 0; segment < segmentCount(); ++segment)
        if (segmentRect(segment).contains(position))
            return segment;
    return -1;
}

void AppSegmentedControl::mousePressEvent(QMouseEvent* event)
{
    m_pressed = segmentAt(event->position());
    update();
}

void AppSegmentedControl::mouseReleaseEvent(QMouseEvent* event)
{
    int released = segmentAt(event->position());
    int pressed = std::exchange(m_pressed, -1);
    update();
    if (released >= 0 && released == pressed)
        choose(released);
}

void AppSegmentedControl::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (key == Qt::Key_Left && m_selected > 0)
        choose(m_selected - 1, Choice::Browsed);
    else if (key == Qt::Key_Right && m_selected < segmentCount() - 1)
        choose(m_selected + 1, Choice::Browsed);
    else if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && m_selected >= 0)
        choose(m_selected);
    else
        QWidget::keyPressEvent(event);
}

void AppSegmentedControl::choose(int segment, Choice how)
{
    m_lastChoice = how;
    setSelectedSegment(segment);
    Q_EMIT segmentChosen(segment);
}

void AppSegmentedControl::tellAssistiveTechnologies(int previous)
{
    // The control's own description names the listed kind, for readers that do not go
    // down to the segments.
    setAccessibleDescription(m_selected >= 0 ? m_labels[m_selected] : QString());
    if (previous == m_selected || !QAccessible::isActive())
        return;
    QAccessible::State selection;
    selection.selected = true;
    for (int segment : { previous, m_selected }) {
        if (segment < 0)
            continue;
        QAccessibleStateChangeEvent event(this, selection);
        event.setChild(segment);
        QAccessible::updateAccessibility(&event);
    }
}

}
