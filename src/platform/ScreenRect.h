#pragma once

namespace scriblo {

// An area of the X screen in pixels, as the hand that drives the program sees it.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool contains(const ScreenRect& other) const
    {
        return other.x >= x && other.y >= y && other.x + other.width <= x + width && other.y + other.height <= y + height;
    }
    int centreX() const { return x + width / 2; }
    int centreY() const { return y + height / 2; }
};

}
