#pragma once

#include <vector>

namespace scriblo {

struct GeometryPoint {
    double x = 0;
    double y = 0;
};

struct GeometryRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    bool operator==(const GeometryRect&) const = default;
};

enum class WindowSize { Centred, FullScreen };

// Where the recognition window and its content go, and how they look.
struct RecognitionWindowLayout {
    GeometryRect frame;
    double backgroundAlpha = 0;
    float cornerRadius = 0;
    GeometryRect appIcon;
    GeometryRect appDescription;
    double appDescriptionFontSize = 0;
    // Why the target did not start, in a smaller line just below its name.
    GeometryRect appFailure;
    double appFailureFontSize = 0;
    GeometryRect partialIcon;
    GeometryRect partialDescription;
    double partialDescriptionFontSize = 0;
};

// The layout on the screen that holds the pointer, in y-up coordinates throughout: the
// screens, the pointer and the returned frame with the origin at the lower left of the
// desktop, and the content frames with the origin at the lower left of the window. A
// pointer outside every screen gives a window of no size at the origin.
RecognitionWindowLayout layoutRecognitionWindow(const std::vector<GeometryRect>& screens, GeometryPoint pointer,
                                                WindowSize size);

// The same layout in y-down coordinates, as Qt places windows and widgets: the frame
// with the origin at the top left of a desktop `desktopHeight` high, the content frames
// with the origin at the top left of the window.
RecognitionWindowLayout layoutTopDown(const RecognitionWindowLayout& layout, double desktopHeight);

// Turns a y-down rectangle or point of a desktop `desktopHeight` high into y-up, and back.
GeometryRect flipRect(const GeometryRect& rect, double desktopHeight);
GeometryPoint flipPoint(GeometryPoint point, double desktopHeight);

}
