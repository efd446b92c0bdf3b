#include "platform/X11Compositor.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <string>

namespace scriblo {

Expected<std::unique_ptr<X11Compositor>> X11Compositor::create(QObject* parent)
{
    auto connection = X11Connection::open();
    if (!connection)
        return Failure { connection.error() };
    Display* display = (*connection)->display();
    int eventBase = 0, errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase))
        return Failure { "the X server lacks the XFixes extension" };
    std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    Atom selection = XInternAtom(display, name.c_str(), False);
    return std::unique_ptr<X11Compositor>(new X11Compositor(std::move(*connection), selection, eventBase, parent));
}

X11Compositor::X11Compositor(std::unique_ptr<X11Connection> connection, unsigned long selection,
                             int xfixesEventBase, QObject* parent)
    : Compositor(parent)
    , m_connection(std::move(connection))
    , m_selection(selection)
    , m_xfixesEventBase(xfixesEventBase)
{
    Display* display = m_connection->display();
    XFixesSelectSelectionInput(display, m_connection->rootWindow(), m_selection,
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask
                                   | XFixesSelectionClientCloseNotifyMask);
    m_compositing = XGetSelectionOwner(display, m_selection) != None;
    m_connection->setEventHandler([this](XEvent& event) { handleEvent(event); });
}

void X11Compositor::handleEvent(XEvent& event)
{
    if (event.type == m_xfixesEventBase + XFixesSelectionNotify)
        update();
}

void X11Compositor::update()
{
    // The notice's own owner field says nothing after a destroy or a close, so the owner
    // is asked afresh.
    bool compositing = XGetSelectionOwner(m_connection->display(), m_selection) != None;
    if (compositing == m_compositing)
        return;
    m_compositing = compositing;
    Q_EMIT compositingChanged(compositing);
}

}
