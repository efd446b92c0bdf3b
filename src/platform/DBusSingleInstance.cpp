#include "platform/DBusSingleInstance.h"

#include "platform/ApplicationAdaptor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLoggingCategory>

namespace scriblo {

Q_LOGGING_CATEGORY(singleInstance, "scriblo.application.instance")

namespace {

// A running instance that does not answer within this time is hung; the new start still
// gives way to it rather than racing it for the touchpads.
constexpr int activateTimeoutMilliseconds = 5000;

QString busFailure(const QString& detail)
{
    return QStringLiteral("Cannot check for a running Scriblo on the session bus (%1); starting anyway.").arg(detail);
}

}

DBusSingleInstance::DBusSingleInstance(const QDBusConnection& bus, QObject* parent)
    : SingleInstance(parent)
    , m_bus(bus)
{
    new ApplicationAdaptor(this);
}

Expected<SingleInstance::Role> DBusSingleInstance::claim()
{
    if (!m_bus.isConnected())
        return Failure { busFailure(m_bus.lastError().message()).toStdString() };
    // The object is in place before the name, so a start racing this one always finds
    // something to activate.
    if (!m_bus.registerObject(QString::fromLatin1(objectPath), this))
        return Failure { busFailure(QStringLiteral("the object path is taken")).toStdString() };
    auto reply = m_bus.interface()->registerService(QString::fromLatin1(serviceName),
                                                    QDBusConnectionInterface::DontQueueService,
                                                    QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid()) {
        m_bus.unregisterObject(QString::fromLatin1(objectPath));
        return Failure { busFailure(reply.error().message()).toStdString() };
    }
    if (reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return Role::First;
    m_bus.unregisterObject(QString::fromLatin1(objectPath));
    return activateRunningInstance();
}

Expected<SingleInstance::Role> DBusSingleInstance::activateRunningInstance()
{
    auto activate = QDBusMessage::createMethodCall(QString::fromLatin1(serviceName), QString::fromLatin1(objectPath),
                                                   QStringLiteral("org.freedesktop.Application"),
                                                   QStringLiteral("Activate"));
    // The launcher's startup ID lets the running instance's window take the focus.
    QVariantMap platformData;
    if (QByteArray startupId = qgetenv("DESKTOP_STARTUP_ID"); !startupId.isEmpty())
        platformData.insert(QStringLiteral("desktop-startup-id"), QString::fromUtf8(startupId));
    activate.setArguments({ platformData });
    auto answer = m_bus.call(activate, QDBus::Block, activateTimeoutMilliseconds);
    if (answer.type() == QDBusMessage::ErrorMessage)
        qCWarning(singleInstance).noquote() << "Scriblo is already running but did not answer:" << answer.errorMessage();
    return Role::Second;
}

}
