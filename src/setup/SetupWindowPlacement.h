#pragma once

#include "recognition/RecognitionWindowGeometry.h"

#include <optional>

namespace scriblo {

// Where the setup window hangs, in y-down desktop coordinates as Qt places windows.
// Under the tray icon, centred on it, its top edge on the icon's bottom edge, when the
// tray says where its icon is; otherwise under the pointer's position at the click. A
// panel at the bottom of the screen leaves no room below, so the window then stands
// above the anchor instead. Either way it is kept inside the screen's available area,
// so no part of it opens out of reach.
class SetupWindowPlacement {
public:
    static GeometryPoint topLeft(const std::optional<GeometryRect>& trayIcon, GeometryPoint pointer, double width,
                                 double height, const GeometryRect& availableArea);
};

}
