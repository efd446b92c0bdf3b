#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPalette>
#include <QRectF>

#include <algorithm>

namespace scriblo {

// Every colour and measure of the setup window's dark look, and nothing else: the
// drawing code asks here, so the look changes in one place.
class AppPalette {
public:
    static QColor accentGreen() { return QColor(49, 212, 74); }
    // The light grey of texts.
    static QColor silver() { return QColor(0xCC, 0xCC, 0xCC); }
    static QColor disabledTitle() { return lighten(silver(), 0.6f); }
    static QColor segmentLabel() { return darken(silver(), 0.1f); }
    static QColor fieldLabel() { return darken(silver(), 0.06f); }
    static QColor rowText() { return darken(silver(), 0.1f); }
    // Texts that say why something the user asked for did not happen.
    static QColor warning() { return QColor(0xFF, 0xB8, 0x4D); }
    // Behind the selected row, which then shows its text in the accent green.
    static QColor rowSelection() { return QColor::fromRgbF(0.13f, 0.13f, 0.13f); }
    static QColor outlineGlow() { return QColor::fromRgbF(1, 1, 1, 0.05f); }
    // The faint line round a window of the look, so it stands out on a black desktop.
    static QColor windowEdge() { return QColor::fromRgbF(1, 1, 1, 0.22f); }
    static QColor defaultHighlight() { return QColor::fromRgbF(1, 1, 1, 0.25f); }
    static QColor pressedShade() { return QColor::fromRgbF(0, 0, 0, 0.3f); }
    static QColor segmentPressedShade() { return QColor::fromRgbF(1, 1, 1, 0.3f); }

    static constexpr qreal cornerRadius = 3;
    static constexpr qreal disabledButtonOpacity = 0.7;
    static constexpr qreal disabledSegmentOpacity = 0.5;
    static constexpr int titlePointSize = 12;
    static constexpr int segmentPointSize = 11;
    static constexpr qreal markLineWidth = 2;

    // Top to bottom, as every gradient of the look runs.
    static QLinearGradient darkGradient(const QRectF& rect) { return vertical(rect, grey(0.15), grey(0.22)); }
    // Deep enough that the default button's white title stands at 4.5:1 or more on
    // every line of it, where the accent green would stand at 3:1.
    static QLinearGradient blueGradient(const QRectF& rect)
    {
        return vertical(rect, QColor::fromRgbF(0, 0.25f, 0.66f), QColor::fromRgbF(0, 0.42f, 0.75f));
    }
    static QColor defaultButtonTitle() { return QColor(0xF5, 0xF5, 0xF5); }
    static QLinearGradient selectedSegmentGradient(const QRectF& rect) { return vertical(rect, grey(0.13), grey(0.12)); }
    static QLinearGradient dividerGradient(const QRectF& rect) { return vertical(rect, grey(0.12), grey(0.16)); }

    // The colour with `value` added to (or taken from) each of red, green and blue.
    static QColor lighten(const QColor& colour, float value) { return shifted(colour, value); }
    static QColor darken(const QColor& colour, float value) { return shifted(colour, -value); }

    // What the setup window's widgets inherit: light texts on near-black.
    static QPalette palette();

private:
    static QColor grey(double white) { return QColor::fromRgbF(float(white), float(white), float(white)); }
    static QColor shifted(const QColor& colour, float value)
    {
        auto channel = [value](float component) { return std::clamp(component + value, 0.0f, 1.0f); };
        return QColor::fromRgbF(channel(colour.redF()), channel(colour.greenF()), channel(colour.blueF()));
    }
    static QLinearGradient vertical(const QRectF& rect, const QColor& top, const QColor& bottom)
    {
        QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
        gradient.setColorAt(0, top);
        gradient.setColorAt(1, bottom);
        return gradient;
    }
};

}
