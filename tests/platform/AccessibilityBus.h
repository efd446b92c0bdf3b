#pragma once

#include "support/QtTestApplication.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

namespace scriblo::testing {

// The accessibility bus of a private session bus: the launcher a desktop session starts,
// started here on the test's own bus, which then answers org.a11y.Bus.GetAddress for
// the application under test and for the test's own accessibility client.
class AccessibilityBus {
public:
    static constexpr const char* launcher = "/usr/libexec/at-spi-bus-launcher";

    explicit AccessibilityBus(const QString& sessionBusAddress)
    {
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBusAddress);
        // The launcher puts the bus's socket here, away from the user's own.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        m_launcher.setProcessEnvironment(environment);
        m_launcher.start(QString::fromLatin1(launcher), { QStringLiteral("--launch-immediately") });
        if (!m_launcher.waitForStarted(5000))
            return;
        const QString connectionName = QStringLiteral("accessibility-bus-launcher");
        auto session = QDBusConnection::connectToBus(sessionBusAddress, connectionName);
        auto ask = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                                  QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
        for (int attempt = 0; attempt < 100 && m_address.isEmpty() && m_launcher.state() == QProcess::Running;
             ++attempt) {
            QDBusMessage reply = session.call(ask, QDBus::Block, 1000);
            if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                m_address = reply.arguments().front().toString();
            else
                QThread::msleep(50);
        }
        QDBusConnection::disconnectFromBus(connectionName);
    }
    // The launcher ends the bus daemon and the registry it started.
    ~AccessibilityBus() { stopProcess(m_launcher, 3000); }
    // Empty when the launcher is missing or did not answer.
    const QString& address() const { return m_address; }

private:
    QTemporaryDir m_runtime;
    QProcess m_launcher;
    QString m_address;
};

}
