#pragma once

#include <QColor>

#include <algorithm>
#include <cmath>

namespace scriblo::testing {

// The contrast ratio of two opaque colours as the web's accessibility guidelines reckon
// it: 4.5 or more for text to be readable.
inline double contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& colour) {
        auto channel = [](double value) { return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
    };
    double lighter = std::max(luminance(a), luminance(b));
    double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

}
