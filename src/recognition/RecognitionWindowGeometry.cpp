#include "recognition/RecognitionWindowGeometry.h"

#include <algorithm>

namespace scriblo {

namespace {

constexpr double fullScreenAlpha = 0.92;
constexpr double centredAlpha = 0.87;
constexpr double screenHeightPerWindowHeight = 2.3;
constexpr double cornerRadiusDivisor = 48;

// The x edge is half open and the y edge open at the bottom: a y-down pixel row flipped
// to y-up lands on its upper edge, so the top row of a screen lies on its upper bound.
bool holdsPointer(const GeometryRect& screen, GeometryPoint pointer)
{
    return pointer.x >= screen.x && pointer.x < screen.x + screen.width
        && pointer.y > screen.y && pointer.y <= screen.y + screen.height;
}

GeometryRect screenUnderPointer(const std::vector<GeometryRect>& screens, GeometryPoint pointer)
{
    auto found = std::find_if(screens.begin(), screens.end(),
                              [&](const GeometryRect& screen) { return holdsPointer(screen, pointer); });
    return found == screens.end() ? GeometryRect() : *found;
}

void layOutContent(RecognitionWindowLayout& layout)
{
    double w = layout.frame.width;
    double h = layout.frame.height;
    layout.appIcon = { (w - h / 2) / 2, h / 3.4, h / 2, h / 2 };
    layout.appDescription = { 0, h / 5.5, w, h / 12 };
    layout.appDescriptionFontSize = w / 26;
    layout.appFailure = { 0, h / 5.5 - h / 12, w, h / 12 };
    layout.appFailureFontSize = w / 36;
    layout.partialIcon = { w / 40, w / 50, w / 6.4, w / 6.4 };
    layout.partialDescription = { w / 5, w / 40, w, w / 28 };
    layout.partialDescriptionFontSize = w / 40;
}

GeometryRect flipWithin(const GeometryRect& rect, double height)
{
    return { rect.x, height - (rect.y + rect.height), rect.width, rect.height };
}

}

RecognitionWindowLayout layoutRecognitionWindow(const std::vector<GeometryRect>& screens, GeometryPoint pointer,
                                                WindowSize size)
{
    GeometryRect screen = screenUnderPointer(screens, pointer);
    RecognitionWindowLayout layout;
    if (size == WindowSize::FullScreen) {
        layout.frame = screen;
        layout.backgroundAlpha = fullScreenAlpha;
        layout.cornerRadius = 0;
    } else {
        double h = screen.height / screenHeightPerWindowHeight;
        double w = 3 * h * 0.5;
        layout.frame = { screen.x + (screen.width - w) * 0.5, screen.y + (screen.height - h) * 0.5, w, h };
        layout.backgroundAlpha = centredAlpha;
        layout.cornerRadius = float(h / cornerRadiusDivisor);
    }
    layOutContent(layout);
    return layout;
}

RecognitionWindowLayout layoutTopDown(const RecognitionWindowLayout& layout, double desktopHeight)
{
    RecognitionWindowLayout flipped = layout;
    double windowHeight = layout.frame.height;
    flipped.frame = flipWithin(layout.frame, desktopHeight);
    flipped.appIcon = flipWithin(layout.appIcon, windowHeight);
    flipped.appDescription = flipWithin(layout.appDescription, windowHeight);
    flipped.appFailure = flipWithin(layout.appFailure, windowHeight);
    flipped.partialIcon = flipWithin(layout.partialIcon, windowHeight);
    flipped.partialDescription = flipWithin(layout.partialDescription, windowHeight);
    return flipped;
}

GeometryRect flipRect(const GeometryRect& rect, double desktopHeight)
{
    return flipWithin(rect, desktopHeight);
}

GeometryPoint flipPoint(GeometryPoint point, double desktopHeight)
{
    return { point.x, desktopHeight - point.y };
}

}
