#pragma once

#include <QProcess>
#include <QString>

namespace scriblo::testing {

// A session bus of the test's own, so no test reaches the desktop's real services.
class PrivateSessionBus {
public:
    PrivateSessionBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"), { QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                        QStringLiteral("--print-address=1") });
        if (m_daemon.waitForStarted(5000) && m_daemon.waitForReadyRead(5000))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateSessionBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    // Empty when dbus-daemon could not start.
    const QString& address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};

}
