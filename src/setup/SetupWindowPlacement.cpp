#include "setup/SetupWindowPlacement.h"

#include <algorithm>

namespace scriblo {

namespace {

double keptWithin(double start, double length, double areaStart, double areaLength)
{
    // A window larger than the area keeps its top left corner on screen.
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

// The side of the icon the window goes on along one axis: after the icon where it fits,
// else before it where that fits, else nothing.
std::optional<double> clearOf(double iconStart, double iconLength, double length, double areaStart,
                              double areaLength)
{
    if (iconStart + iconLength + length <= areaStart + areaLength)
        return iconStart + iconLength;
    if (iconStart - length >= areaStart)
        return iconStart - length;
    return std::nullopt;
}

GeometryRect iconAround(const std::optional<GeometryRect>& trayIcon, GeometryPoint pointer)
{
    if (trayIcon && trayIcon->width > 0 && trayIcon->height > 0)
        return *trayIcon;
    double half = SetupWindowPlacement::assumedIconSide / 2;
    return { pointer.x - half, pointer.y - half, SetupWindowPlacement::assumedIconSide,
             SetupWindowPlacement::assumedIconSide };
}

}

GeometryPoint SetupWindowPlacement::topLeft(const std::optional<GeometryRect>& trayIcon, GeometryPoint pointer,
                                            double width, double height, const GeometryRect& availableArea)
{
    const GeometryRect icon = iconAround(trayIcon, pointer);
    const GeometryRect& area = availableArea;
    double centredX = keptWithin(icon.x + icon.width / 2 - width / 2, width, area.x, area.width);
    if (auto y = clearOf(icon.y, icon.height, height, area.y, area.height))
        return { centredX, *y };
    double centredY = keptWithin(icon.y + icon.height / 2 - height / 2, height, area.y, area.height);
    if (auto x = clearOf(icon.x, icon.width, width, area.x, area.width))
        return { *x, centredY };
    // Too large to keep clear of the icon anywhere: under it, as much as the area allows.
    return { centredX, keptWithin(icon.y + icon.height, height, area.y, area.height) };
}

}
