#include "app/demo/SessionBusDaemon.h"

#include "app/demo/ChildLifetime.h"

#include <QStandardPaths>

namespace scriblo {

Expected<std::unique_ptr<SessionBusDaemon>> SessionBusDaemon::start()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        return Failure { "dbus-daemon is not installed (Debian package: dbus-daemon)" };
    std::unique_ptr<SessionBusDaemon> bus(new SessionBusDaemon);
    endWithThisProcess(bus->m_daemon);
    bus->m_daemon.start(QStringLiteral("dbus-daemon"), { QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                         QStringLiteral("--print-address=1") });
    if (bus->m_daemon.waitForStarted(5000) && bus->m_daemon.waitForReadyRead(5000))
        bus->m_address = QString::fromUtf8(bus->m_daemon.readLine()).trimmed();
    if (bus->m_address.isEmpty())
        return Failure { "dbus-daemon could not start a session bus" };
    return bus;
}

SessionBusDaemon::~SessionBusDaemon()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

}
