#include "platform/DBusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QLoggingCategory>

#include <ostream>

namespace scriblo {

Q_LOGGING_CATEGORY(desktopNotifications, "scriblo.notifications")

namespace {

const QString notificationsService = QStringLiteral("org.freedesktop.Notifications");
const QString notificationsPath = QStringLiteral("/org/freedesktop/Notifications");
// The server picks how long a notice stays.
constexpr int serverDefaultTimeout = -1;

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

}

DBusNotifier::DBusNotifier(const QDBusConnection& bus, std::ostream& fallback, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
    , m_fallback(fallback)
{
}

void DBusNotifier::notify(const QString& summary, const QString& body)
{
    if (!m_bus.isConnected()) {
        writeFallback(summary, body);
        return;
    }
    auto call = QDBusMessage::createMethodCall(notificationsService, notificationsPath, notificationsService,
                                               QStringLiteral("Notify"));
    // The desktop entry lets the server show our name and icon, and group our notices.
    QVariantMap hints { { QStringLiteral("desktop-entry"), QStringLiteral("org.scriblo.Scriblo") } };
    call << QStringLiteral("Scriblo") << uint(0) << QStringLiteral("org.scriblo.Scriblo") << summary << body
         << QStringList() << hints << serverDefaultTimeout;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, summary, body](QDBusPendingCallWatcher* answered) {
        answered->deleteLater();
        if (!answered->isError())
            return;
        qCInfo(desktopNotifications).noquote() << "No notification service answered:" << answered->error().message();
        writeFallback(summary, body);
    });
}

void DBusNotifier::writeFallback(const QString& summary, const QString& body)
{
    m_fallback << "scriblo: " << oneLine(summary).toStdString() << ": " << oneLine(body).toStdString() << std::endl;
}

}
