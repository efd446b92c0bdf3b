#include "app/demo/DesktopHand.h"

#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
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

void DesktopHand::click(int x, int y)
{
    moveTo(x, y);
    press(1);
    release(1);
}

void DesktopHand::clickTwice(unsigned button, std::chrono::milliseconds gap)
{
    press(button);
    release(button);
    std::this_thread::sleep_for(gap);
    press(button);
    release(button);
}

void DesktopHand::trace(const ScreenRect& area, const std::vector<std::pair<double, double>>& shape,
                        const std::function<void()>& afterEachMove)
{
    if (shape.empty())
        return;
    auto moveToPoint = [&](const std::pair<double, double>& point) {
        moveTo(area.x + int(point.first / 1000 * area.width), area.y + int((1000 - point.second) / 1000 * area.height));
    };
    moveToPoint(shape.front());
    press(1);
    for (const auto& point : shape) {
        moveToPoint(point);
        afterEachMove();
    }
}

void DesktopHand::chord(const std::vector<std::string>& keys)
{
    Display* display = m_connection->display;
    std::vector<KeyCode> codes;
    for (const std::string& key : keys)
        codes.push_back(XKeysymToKeycode(display, XStringToKeysym(key.c_str())));
    for (KeyCode code : codes)
        XTestFakeKeyEvent(display, code, True, CurrentTime);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code)
        XTestFakeKeyEvent(display, *code, False, CurrentTime);
    XSync(display, False);
}

void DesktopHand::type(const std::string& text)
{
    for (char character : text)
        chord({ std::string(1, character) });
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

bool DesktopHand::windowMapped(const ScreenRect& area)
{
    Display* display = m_connection->display;
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return false;
    bool mapped = false;
    for (unsigned index = 0; index < count && !mapped; ++index) {
        XWindowAttributes attributes;
        mapped = XGetWindowAttributes(display, children[index], &attributes) && attributes.map_state == IsViewable
            && attributes.x == area.x && attributes.y == area.y && attributes.width == area.width
            && attributes.height == area.height;
    }
    XFree(children);
    return mapped;
}

std::vector<std::string> DesktopHand::stackedWindowTitles()
{
    Display* display = m_connection->display;
    auto property = [display](Window window, const char* name, Atom type, int format) {
        Atom actualType = 0;
        int actualFormat = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 65536, False, type, &actualType,
                           &actualFormat, &count, &after, &data);
        std::pair<unsigned char*, unsigned long> value { data, actualFormat == format ? count : 0 };
        return value;
    };
    auto [stacking, count] = property(DefaultRootWindow(display), "_NET_CLIENT_LIST_STACKING", XA_WINDOW, 32);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    std::vector<std::string> titles;
    for (unsigned long index = 0; index < count; ++index) {
        auto [title, length] = property(reinterpret_cast<Window*>(stacking)[index], "_NET_WM_NAME", utf8, 8);
        titles.emplace_back(reinterpret_cast<const char*>(title), length);
        if (title)
            XFree(title);
    }
    if (stacking)
        XFree(stacking);
    return titles;
}

std::vector<unsigned long> DesktopHand::picture(const ScreenRect& area)
{
    Display* display = m_connection->display;
    XImage* image = XGetImage(display, DefaultRootWindow(display), area.x, area.y, unsigned(area.width),
                              unsigned(area.height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    std::vector<unsigned long> pixels;
    pixels.reserve(size_t(area.width) * size_t(area.height));
    for (int y = 0; y < area.height; ++y)
        for (int x = 0; x < area.width; ++x)
            pixels.push_back(XGetPixel(image, x, y) & 0xffffff);
    XDestroyImage(image);
    return pixels;
}

}
