#include "XvfbServer.h"

#include <X11/Xlib.h>

namespace scriblo::testing {

bool XvfbServer::reachable(const QString& name)
{
    Display* display = XOpenDisplay(name.toLatin1().constData());
    if (display)
        XCloseDisplay(display);
    return display != nullptr;
}

}
