#include "platform/XInputSecondaryPresses.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace scriblo {

namespace {

constexpr int secondaryButton = 3;

}

Expected<std::string> XInputSecondaryPresses::start(Handler handler)
{
    auto connection = X11Connection::open();
    if (!connection)
        return Failure { connection.error() };
    Display* display = (*connection)->display();
    int event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &m_extensionOpcode, &event, &error))
        return Failure { "the X server lacks the XInput extension" };
    // Raw events reach clients that did not grab the device only from version 2.1 on.
    int major = 2, minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success || (major == 2 && minor < 1))
        return Failure { "the X server's XInput is older than 2.1" };

    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawButtonPress);
    // Master devices only: selecting every device would deliver each press twice, once
    // from the physical mouse and once from the virtual pointer it drives.
    XIEventMask mask { XIAllMasterDevices, int(sizeof bits), bits };
    XISelectEvents(display, (*connection)->rootWindow(), &mask, 1);
    XFlush(display);

    m_handler = std::move(handler);
    m_connection = std::move(*connection);
    m_connection->setEventHandler([this](XEvent& event) { handleEvent(event); });
    return std::string("secondary-button presses through XInput 2");
}

void XInputSecondaryPresses::handleEvent(XEvent& event)
{
    XGenericEventCookie* cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != m_extensionOpcode
        || !XGetEventData(m_connection->display(), cookie))
        return;
    if (cookie->evtype == XI_RawButtonPress) {
        auto* raw = static_cast<XIRawEvent*>(cookie->data);
        if (raw->detail == secondaryButton)
            m_handler(m_timeline.steadyTime(uint32_t(raw->time)));
    }
    XFreeEventData(m_connection->display(), cookie);
}

}
