#pragma once

#include "platform/Compositor.h"
#include "platform/X11Connection.h"

#include <memory>

namespace scriblo {

// A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs; XFixes
// tells us whenever the owner changes, so turning compositing on or off is followed.
class X11Compositor final : public Compositor {
    Q_OBJECT
public:
    static Expected<std::unique_ptr<X11Compositor>> create(QObject* parent = nullptr);
    bool isCompositing() const override { return m_compositing; }

private:
    X11Compositor(std::unique_ptr<X11Connection> connection, unsigned long selection, int xfixesEventBase,
                  QObject* parent);
    void handleEvent(_XEvent& event);
    void update();

    std::unique_ptr<X11Connection> m_connection;
    unsigned long m_selection;
    int m_xfixesEventBase;
    bool m_compositing = false;
};

}
