#include "platform/X11StartupMessage.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstring>

namespace scriblo {

namespace {

constexpr size_t bytesPerEvent = 20;

}

X11StartupMessage::X11StartupMessage(Display* display)
    : m_display(display)
{
    XSetWindowAttributes attributes {};
    attributes.override_redirect = True;
    attributes.event_mask = PropertyChangeMask;
    m_window = XCreateWindow(display, DefaultRootWindow(display), -100, -100, 1, 1, 0, CopyFromParent, InputOnly,
                             CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
}

X11StartupMessage::~X11StartupMessage()
{
    XDestroyWindow(m_display, m_window);
    XFlush(m_display);
}

unsigned long X11StartupMessage::serverTime()
{
    Atom atom = XInternAtom(m_display, "_SCRIBLO_TIMESTAMP", False);
    XChangeProperty(m_display, m_window, atom, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(m_display, m_window, PropertyChangeMask, &event);
    return event.xproperty.time;
}

void X11StartupMessage::send(const std::string& message)
{
    Atom begin = XInternAtom(m_display, "_NET_STARTUP_INFO_BEGIN", False);
    Atom more = XInternAtom(m_display, "_NET_STARTUP_INFO", False);
    // The terminating zero byte is part of the message: it tells listeners where it ends.
    size_t total = message.size() + 1;
    for (size_t offset = 0; offset < total; offset += bytesPerEvent) {
        XEvent event {};
        event.xclient.type = ClientMessage;
        event.xclient.window = m_window;
        event.xclient.message_type = offset == 0 ? begin : more;
        event.xclient.format = 8;
        size_t length = std::min(bytesPerEvent, total - offset);
        std::memcpy(event.xclient.data.b, message.c_str() + offset, length);
        XSendEvent(m_display, DefaultRootWindow(m_display), False, PropertyChangeMask, &event);
    }
    XFlush(m_display);
}

}
