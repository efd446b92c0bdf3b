#pragma once

#include "base/Expected.h"

#include <QProcess>
#include <QString>

#include <memory>

namespace scriblo {

// A D-Bus session bus of this process's own, so nothing reaches the desktop's real
// services; the daemon is killed when this object goes, or with this process.
class SessionBusDaemon {
public:
    // Fails when dbus-daemon is not installed or does not say its address.
    static Expected<std::unique_ptr<SessionBusDaemon>> start();
    ~SessionBusDaemon();

    // For DBUS_SESSION_BUS_ADDRESS.
    const QString& address() const { return m_address; }

private:
    SessionBusDaemon() = default;

    QProcess m_daemon;
    QString m_address;
};

}
