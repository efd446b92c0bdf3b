#include "setup/SetupWindowPlacement.h"

#include <algorithm>

namespace scriblo {

namespace {

double keptWithin(double start, double length, double areaStart, double areaLength)
{
    // A window larger than the area keeps its top left corner on screen.
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}

GeometryPoint SetupWindowPlacement::topLeft(const std::optional<GeometryRect>& trayIcon, GeometryPoint pointer,
                                            double width, double height, const GeometryRect& availableArea)
{
    GeometryRect anchor = trayIcon && trayIcon->width > 0 && trayIcon->height > 0
        ? *trayIcon
        : GeometryRect { pointer.x, pointer.y, 0, 0 };
    double x = anchor.x + anchor.width / 2 - width / 2;
    double y = anchor.y + anchor.height;
    if (y + height > availableArea.y + availableArea.height && anchor.y - height >= availableArea.y)
        y = anchor.y - height;
    return { keptWithin(x, width, availableArea.x, availableArea.width),
             keptWithin(y, height, availableArea.y, availableArea.height) };
}

}
