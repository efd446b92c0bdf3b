#pragma once

#include <string>

struct _XDisplay;

namespace scriblo {

// One connection's worth of the startup notification protocol's plumbing.
class X11StartupMessage {
public:
    explicit X11StartupMessage(_XDisplay* display);
    ~X11StartupMessage();
    X11StartupMessage(const X11StartupMessage&) = delete;
    X11StartupMessage& operator=(const X11StartupMessage&) = delete;

    // The server's clock now, learnt from a property change on our own window.
    unsigned long serverTime();
    // Broadcasts `message` to every client watching the root window, in 20-byte pieces.
    void send(const std::string& message);

private:
    _XDisplay* m_display;
    unsigned long m_window;
};

}
