#pragma once

#include <QProxyStyle>

namespace scriblo {

// The setup window's dark look for the standard controls it uses: push buttons
// (the default one in blue), check boxes with a green mark, line edits and list rows.
// The picker draws itself (AppSegmentedControl) from the same palette.
class AppStyle : public QProxyStyle {
    Q_OBJECT
public:
    AppStyle();

    void polish(QWidget* widget) override;
    void polish(QPalette& palette) override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    void drawButton(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawButtonTitle(const QStyleOption* option, QPainter* painter) const;
    void drawCheckBox(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawCheckMark(const QStyleOption* option, QPainter* painter) const;
    void drawRow(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
};

}
