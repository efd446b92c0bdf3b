#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QObject>

namespace scriblo::testing {

// The portal's settings interface as either version answers it: version 1 knows only
// Read, whose value comes wrapped in one variant more than ReadOne's.
class FakeSettingsPortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
    Q_PROPERTY(uint version READ version)
public:
    FakeSettingsPortal(QDBusConnection bus, uint version, uint colorScheme)
        : m_bus(std::move(bus)), m_version(version), m_colorScheme(colorScheme)
    {
        m_bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                             QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
        m_bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    }
    uint version() const { return m_version; }
    int reads = 0;

    void change(const QString& group, const QString& key, uint value)
    {
        auto signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/portal/desktop"),
                                                 QStringLiteral("org.freedesktop.portal.Settings"),
                                                 QStringLiteral("SettingChanged"));
        signal << group << key << QVariant::fromValue(QDBusVariant(value));
        m_bus.send(signal);
    }

public Q_SLOTS:
    QDBusVariant Read(const QString& group, const QString& key)
    {
        ++reads;
        return QDBusVariant(QVariant::fromValue(ReadOne(group, key)));
    }
    QDBusVariant ReadOne(const QString& group, const QString& key)
    {
        ++reads;
        if (group != QLatin1String("org.freedesktop.appearance") || key != QLatin1String("color-scheme"))
            return QDBusVariant(QString());
        return QDBusVariant(m_colorScheme);
    }

private:
    QDBusConnection m_bus;
    uint m_version;
    uint m_colorScheme;
};

}
