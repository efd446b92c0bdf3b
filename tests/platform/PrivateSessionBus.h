#pragma once

#include "app/demo/SessionBusDaemon.h"

#include <QString>

#include <memory>

namespace scriblo::testing {

// A session bus of the test's own, so no test reaches the desktop's real services.
class PrivateSessionBus {
public:
    PrivateSessionBus()
    {
        if (auto bus = SessionBusDaemon::start()) {
            m_bus = std::move(*bus);
            m_address = m_bus->address();
        }
    }
    // Empty when dbus-daemon could not start.
    const QString& address() const { return m_address; }

private:
    std::unique_ptr<SessionBusDaemon> m_bus;
    QString m_address;
};

}
