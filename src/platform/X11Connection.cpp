#include "platform/X11Connection.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>

#include <cstdlib>

namespace scriblo {

namespace {

std::string unreachable()
{
    const char* name = std::getenv("DISPLAY");
    return std::string("cannot connect to the X server ") +
           (name && *name ? std::string("at DISPLAY=") + name : "(DISPLAY is not set)");
}

}

Expected<std::unique_ptr<X11Connection>> X11Connection::open(QObject* parent)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return Failure { unreachable() };
    return std::unique_ptr<X11Connection>(new X11Connection(display, parent));
}

Expected<Done> X11Connection::checkDisplay()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return Failure { unreachable() };
    XCloseDisplay(display);
    return Done {};
}

X11Connection::X11Connection(Display* display, QObject* parent)
    : QObject(parent)
    , m_display(display)
    , m_notifier(new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &X11Connection::readEvents);
}

X11Connection::~X11Connection()
{
    delete m_notifier;
    XCloseDisplay(m_display);
}

unsigned long X11Connection::rootWindow() const
{
    return DefaultRootWindow(m_display);
}

void X11Connection::setEventHandler(EventHandler handler)
{
    m_handler = std::move(handler);
    // Replies read while the handler was being set up may have queued events already;
    // the socket would not wake us for those.
    readEvents();
}

void X11Connection::readEvents()
{
    // XPending also reads what the socket holds, so nothing is left for a later wake-up.
    while (XPending(m_display)) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (m_handler)
            m_handler(event);
    }
}

}
