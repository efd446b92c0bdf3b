#include "platform/DesktopHand.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace scriblo {

struct DesktopHand::Connection {
    Display* display = XOpenDisplay(nullptr);
    ~Connection()
    {
        if (display)
            XCloseDisplay(display);
    }
};

DesktopHand::DesktopHand() : m_connection(std::make_unique<Connection>()) { }
DesktopHand::~DesktopHand() = default;

bool DesktopHand::connected() const
{
    return m_connection->display != nullptr;
}

void DesktopHand::moveTo(int x, int y)
{
    XTestFakeMotionEvent(m_connection->display, -1, x, y, CurrentTime);
    XSync(m_connection->display, False);
}

void DesktopHand::press(unsigned button)
{
    XTestFakeButtonEvent(m_connection->display, button, True, CurrentTime);
    XSync(m_connection->display, False);
}

void DesktopHand::release(unsigned button)
{
    XTestFakeButtonEvent(m_connection->display, button, False, CurrentTime);
    XSync(m_connection->display, False);
}

std::optional<ScreenRect> DesktopHand::overrideRedirectWindow()
{
    Display* display = m_connection->display;
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return std::nullopt;
    std::optional<ScreenRect> largest;
    for (unsigned index = 0; index < count; ++index) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[index], &attributes) || !attributes.override_redirect
            || attributes.map_state != IsViewable)
            continue;
        ScreenRect rect { attributes.x, attributes.y, attributes.width, attributes.height };
        if (!largest || rect.width * rect.height > largest->width * largest->height)
            largest = rect;
    }
    XFree(children);
    return largest;
}

}
