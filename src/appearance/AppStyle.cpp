#include "appearance/AppStyle.h"

#include "appearance/AppBezel.h"
#include "appearance/AppPalette.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <cmath>

namespace scriblo {

namespace {

QFont titleFont(const QFont& base, int pixelSize)
{
    QFont font = base;
    font.setPixelSize(pixelSize);
    return font;
}

// Text with a one-pixel black shadow, as engraved into the dark surface.
void drawShadowedText(QPainter& painter, const QRect& rect, int flags, const QString& text, const QColor& colour,
                      const QColor& shadow, int shadowOffset)
{
    painter.setPen(shadow);
    painter.drawText(rect.translated(0, shadowOffset), flags, text);
    painter.setPen(colour);
    painter.drawText(rect, flags, text);
}

bool isDefaultButton(const QStyleOption* option)
{
    auto button = qstyleoption_cast<const QStyleOptionButton*>(option);
    return button && (button->features & QStyleOptionButton::DefaultButton);
}

}

AppStyle::AppStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void AppStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    widget->setPalette(AppPalette::palette());
    if (qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QLineEdit*>(widget))
        widget->setAttribute(Qt::WA_MacShowFocusRect, false);
}

void AppStyle::polish(QPalette& palette)
{
    palette = AppPalette::palette();
}

int AppStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
        return 16;
    case PM_CheckBoxLabelSpacing:
        return 6;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void AppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    switch (element) {
    case PE_PanelLineEdit:
        AppBezel::paint(*painter, option->rect, AppPalette::darkGradient(option->rect), AppPalette::outlineGlow());
        return;
    case PE_FrameLineEdit:
        return;
    case PE_IndicatorCheckBox:
        drawCheckMark(option, painter);
        return;
    case PE_FrameFocusRect: {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        QColor focus = AppPalette::accentGreen();
        focus.setAlphaF(0.5f);
        painter->setPen(QPen(focus, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), AppPalette::cornerRadius,
                                 AppPalette::cornerRadius);
        painter->restore();
        return;
    }
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void AppStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                           const QWidget* widget) const
{
    switch (element) {
    case CE_PushButton:
        drawButton(option, painter, widget);
        return;
    case CE_CheckBox:
        drawCheckBox(option, painter, widget);
        return;
    case CE_ItemViewItem:
        drawRow(option, painter, widget);
        return;
    default:
        QProxyStyle::drawControl(element, option, painter, widget);
    }
}

void AppStyle::drawButton(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    painter->save();
    if (!(option->state & State_Enabled))
        painter->setOpacity(AppPalette::disabledButtonOpacity);
    bool isDefault = isDefaultButton(option);
    QRectF frame = option->rect;
    AppBezel::paint(*painter, frame, isDefault ? AppPalette::blueGradient(frame) : AppPalette::darkGradient(frame),
                    isDefault ? AppPalette::defaultHighlight() : AppPalette::outlineGlow());
    drawButtonTitle(option, painter);
    if (option->state & (State_Sunken | State_On)) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(AppPalette::pressedShade());
        painter->drawRoundedRect(AppBezel::outline(frame), AppPalette::cornerRadius, AppPalette::cornerRadius);
    }
    if (option->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = option->rect.adjusted(1, 1, -1, -2);
        proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

void AppStyle::drawButtonTitle(const QStyleOption* option, QPainter* painter) const
{
    auto button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (!button)
        return;
    bool enabled = option->state & State_Enabled;
    painter->setFont(titleFont(painter->font(), AppPalette::titlePointSize));
    // The default button's blue carries its shadow below the title; the others look
    // engraved, lit from below.
    bool isDefault = isDefaultButton(option);
    QColor shadow = isDefault ? QColor::fromRgbF(0, 0, 0, 0.6f) : QColor(Qt::black);
    QColor title = !enabled ? AppPalette::disabledTitle() : isDefault ? AppPalette::defaultButtonTitle() : AppPalette::accentGreen();
    drawShadowedText(*painter, option->rect.translated(0, 1), Qt::AlignCenter, button->text, title, shadow, isDefault ? 1 : -1);
}

void AppStyle::drawCheckBox(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    auto button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (!button)
        return;
    painter->save();
    bool enabled = option->state & State_Enabled;
    if (!enabled)
        painter->setOpacity(AppPalette::disabledButtonOpacity);
    QStyleOptionButton box = *button;
    box.rect = subElementRect(SE_CheckBoxIndicator, button, widget);
    proxy()->drawPrimitive(PE_IndicatorCheckBox, &box, painter, widget);
    QRect label = subElementRect(SE_CheckBoxContents, button, widget);
    painter->setFont(titleFont(painter->font(), AppPalette::titlePointSize));
    drawShadowedText(*painter, label, Qt::AlignLeft | Qt::AlignVCenter, button->text,
                     enabled ? AppPalette::accentGreen() : AppPalette::disabledTitle(), Qt::black, -1);
    if (option->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = label.adjusted(-2, 0, 2, 0);
        proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

void AppStyle::drawCheckMark(const QStyleOption* option, QPainter* painter) const
{
    // The box is the button's bezel, a little narrower and shorter than its frame.
    QRectF box = QRectF(option->rect).adjusted(0, 0, -2, -1);
    AppBezel::paint(*painter, box, AppPalette::darkGradient(box), AppPalette::outlineGlow());
    if (!(option->state & (State_On | State_NoChange)))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    // A soft dark halo under the mark keeps it readable on the grey box.
    QColor halo = QColor::fromRgbF(0, 0, 0, 0.75f / 2);
    QColor green = AppPalette::accentGreen();
    qreal x = box.x(), y = box.y(), w = box.width(), h = box.height();
    QPainterPath mark;
    if (option->state & State_NoChange) {
        qreal middle = std::round(y + h / 2);
        mark.moveTo(x + 4, middle);
        mark.lineTo(x + w - 4, middle);
    } else {
        qreal centre = std::round(y + h / 2) + 1;
        mark.moveTo(x + w, y);
        mark.lineTo(std::round(x + w / 2), centre);
        mark.lineTo(x + 4, y + std::round((centre - y) / 2));
    }
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(halo, AppPalette::markLineWidth + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPath(mark);
    painter->setPen(QPen(green, AppPalette::markLineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPath(mark);
    painter->restore();
}

void AppStyle::drawRow(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    auto item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
    if (!item) {
        QProxyStyle::drawControl(CE_ItemViewItem, option, painter, widget);
        return;
    }
    painter->save();
    bool selected = option->state & State_Selected;
    if (selected)
        painter->fillRect(option->rect, AppPalette::rowSelection());
    QRect icon = subElementRect(SE_ItemViewItemDecoration, item, widget);
    QRect text = subElementRect(SE_ItemViewItemText, item, widget);
    if (!item->icon.isNull())
        item->icon.paint(painter, icon, Qt::AlignCenter);
    painter->setPen(selected ? AppPalette::accentGreen() : AppPalette::rowText());
    painter->setFont(item->font);
    QString elided = item->fontMetrics.elidedText(item->text, Qt::ElideRight, text.width());
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, elided);
    painter->restore();
}

}
