#pragma once

#include "recognition/RecognitionWindowGeometry.h"

#include <optional>

namespace scriblo {

// Where the setup window hangs, in y-down desktop coordinates as Qt places windows.
// Under the tray icon, centred on it, its top edge on the icon's bottom edge, when the
// tray says where its icon is. Hosts that keep that to themselves leave only the point
// that was clicked, somewhere on the icon; the icon is then taken to fill a square of
// `assumedIconSide` centred on that point, so the window stays clear of any common panel
// icon wherever on it the click landed. A panel at the bottom of the screen leaves no
// room below, so the window then stands above the icon, and where neither fits (a panel
// at the side, a short screen) beside it. It is always kept inside the screen's
// available area, so no part of it opens out of reach, and it never covers the icon
// while the area has room for both: a window over the icon would take the next click
// meant to close it.
class SetupWindowPlacement {
public:
    static constexpr double assumedIconSide = 48;

    static GeometryPoint topLeft(const std::optional<GeometryRect>& trayIcon, GeometryPoint pointer, double width,
                                 double height, const GeometryRect& availableArea);
};

}
