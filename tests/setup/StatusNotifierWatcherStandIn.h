#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>

#include <utility>

namespace scriblo::testing {

// The watcher a StatusNotifierItem host runs, for machines where no real host can
// start: it says a host is there and keeps the items that register, as
// "service/path" the way the hosts list them.
class StatusNotifierWatcherStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    explicit StatusNotifierWatcherStandIn(QDBusConnection bus)
        : m_bus(std::move(bus))
    {
        m_bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                             QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties
                                 | QDBusConnection::ExportAllSignals);
        m_bus.registerService(service);
    }
    static inline const QString service = QStringLiteral("org.kde.StatusNotifierWatcher");

    // An item as the watchers list it, "service/path" or a bare service, as its service
    // and the object path of its StatusNotifierItem.
    static std::pair<QString, QString> serviceAndPath(const QString& item)
    {
        qsizetype slash = item.indexOf(QLatin1Char('/'));
        if (slash < 0)
            return { item, QStringLiteral("/StatusNotifierItem") };
        return { item.left(slash), item.mid(slash) };
    }

    ~StatusNotifierWatcherStandIn() override
    {
        m_bus.unregisterService(service);
        m_bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    }
    QStringList registeredItems() const { return m_items; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public Q_SLOTS:
    // An item names its bus name, or only its path, leaving the sender to stand for it.
    void RegisterStatusNotifierItem(const QString& serviceOrPath, const QDBusMessage& message)
    {
        bool path = serviceOrPath.startsWith(QLatin1Char('/'));
        QString item = path ? message.service() + serviceOrPath : serviceOrPath + QStringLiteral("/StatusNotifierItem");
        m_items.append(item);
        Q_EMIT StatusNotifierItemRegistered(item);
    }
    void RegisterStatusNotifierHost(const QString&) { }

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierItemUnregistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    QDBusConnection m_bus;
    QStringList m_items;
};

}
