#pragma once

#include "platform/ScreenRect.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace scriblo {

// A user's hand on the X server of $DISPLAY, for driving the real program (the
// demonstration, end-to-end tests): pointer moves, button and key presses
// through XTest, and a look at which windows are mapped and what the screen shows. Kept
// apart from Qt, whose headers clash with Xlib's macros.
class DesktopHand {
public:
    DesktopHand();
    ~DesktopHand();
    bool connected() const;

    void moveTo(int x, int y);
    void press(unsigned button);
    void release(unsigned button);
    void click(int x, int y);
    // Two clicks of `button` where the pointer is, `gap` apart: mouse mode's start.
    void clickTwice(unsigned button, std::chrono::milliseconds gap);
    // Presses the left button on the first point of `shape` and moves through every point,
    // calling `afterEachMove` after each; the button stays down for the caller to release.
    // Points are in the drawing space: thousandths of `area`, y upward.
    void trace(const ScreenRect& area, const std::vector<std::pair<double, double>>& shape,
               const std::function<void()>& afterEachMove);
    // Presses the keys, named as X names key symbols ("Tab", "Control_L", "a"), in order
    // and lets them go in reverse, as a hand does for a shortcut.
    void chord(const std::vector<std::string>& keys);
    // Characters typed without a modifier: digits, lower-case letters.
    void type(const std::string& text);
    // The largest mapped override-redirect window, where the recognition window shows.
    std::optional<ScreenRect> overrideRedirectWindow();
    // Whether a top-level window is mapped and viewable exactly over `area`.
    bool windowMapped(const ScreenRect& area);
    // The titles of the window manager's windows, bottom to top as it stacks them; none
    // without a window manager that publishes its stacking order.
    std::vector<std::string> stackedWindowTitles();
    // The screen's pixels over `area`, row by row, as 0xRRGGBB.
    std::vector<unsigned long> picture(const ScreenRect& area);

private:
    struct Connection;
    std::unique_ptr<Connection> m_connection;
};

}
