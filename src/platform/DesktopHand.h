#pragma once

#include <memory>
#include <optional>
#include <string>

namespace scriblo {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool contains(const ScreenRect& other) const
    {
        return other.x >= x && other.y >= y && other.x + other.width <= x + width && other.y + other.height <= y + height;
    }
};

// A user's hand on the X server of $DISPLAY, for driving the real program (the
// demonstration, end-to-end tests): pointer moves and button presses through XTest, and
// a look at which windows are mapped. Kept apart from Qt, whose headers
// clash with Xlib's macros.
class DesktopHand {
public:
    DesktopHand();
    ~DesktopHand();
    bool connected() const;

    void moveTo(int x, int y);
    void press(unsigned button);
    void release(unsigned button);
    // The largest mapped override-redirect window, where the recognition window shows.
    std::optional<ScreenRect> overrideRedirectWindow();

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};

}
