#pragma once

#include <QColor>
#include <QImage>

#include <cstdlib>

namespace scriblo::testing {

inline bool near(const QColor& a, const QColor& b, int tolerance = 14)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// How many pixels of `area`, the whole image unless given, are near `colour`.
inline int pixelsNear(const QImage& image, const QColor& colour, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += near(image.pixelColor(x, y), colour);
    return count;
}

}
