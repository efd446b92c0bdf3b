#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace scriblo::testing {

// A notification server as the desktop runs one, keeping what it was asked to show.
class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit FakeNotificationService(QDBusConnection bus)
        : m_bus(std::move(bus))
    {
        m_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this, QDBusConnection::ExportAllSlots);
        m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

    struct Notice {
        QString appName;
        QString summary;
        QString body;
        QVariantMap hints;
    };
    std::vector<Notice> notices;

public Q_SLOTS:
    uint Notify(const QString& appName, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap& hints, int)
    {
        notices.push_back({ appName, summary, body, hints });
        return uint(notices.size());
    }

private:
    QDBusConnection m_bus;
};

}
