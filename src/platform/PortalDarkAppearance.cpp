#include "platform/PortalDarkAppearance.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QLoggingCategory>

namespace scriblo {

Q_LOGGING_CATEGORY(appearancePortal, "scriblo.appearance.portal")

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");
constexpr uint preferDark = 1;

// The first portals answer Read with the value wrapped in one variant more than the
// signal and ReadOne use, so every layer of wrapping is taken off.
QVariant unwrapped(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

QDBusMessage portalCall(const QString& interface, const QString& method, const QVariantList& arguments)
{
    auto message = QDBusMessage::createMethodCall(portalService, portalPath, interface, method);
    message.setArguments(arguments);
    return message;
}

}

PortalDarkAppearance::PortalDarkAppearance(const QDBusConnection& bus, QObject* parent)
    : DarkAppearance(parent)
    , m_bus(bus)
{
    m_bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                  SLOT(settingChanged(QDBusMessage)));
    auto versionCall = portalCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                  { settingsInterface, QStringLiteral("version") });
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(versionCall), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &PortalDarkAppearance::readAfterVersion);
}

void PortalDarkAppearance::readAfterVersion(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    QDBusPendingReply<QDBusVariant> version = *watcher;
    if (version.isError() && version.error().type() == QDBusError::ServiceUnknown) {
        qCInfo(appearancePortal) << "No desktop portal; the light look is kept";
        return;
    }
    // A portal that does not say its version is taken as the first one.
    bool hasReadOne = !version.isError() && unwrapped(version.value().variant()).toUInt() >= 2;
    auto read = portalCall(settingsInterface, hasReadOne ? QStringLiteral("ReadOne") : QStringLiteral("Read"),
                           { appearanceGroup, colorSchemeKey });
    auto* readWatcher = new QDBusPendingCallWatcher(m_bus.asyncCall(read), this);
    connect(readWatcher, &QDBusPendingCallWatcher::finished, this, &PortalDarkAppearance::takeReadAnswer);
}

void PortalDarkAppearance::takeReadAnswer(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    QDBusPendingReply<QDBusVariant> answer = *watcher;
    if (answer.isError()) {
        qCInfo(appearancePortal).noquote() << "The portal has no colour scheme:" << answer.error().message();
        return;
    }
    setDark(unwrapped(answer.value().variant()).toUInt() == preferDark);
}

void PortalDarkAppearance::settingChanged(const QDBusMessage& message)
{
    auto arguments = message.arguments();
    if (arguments.size() == 3 && arguments[0].toString() == appearanceGroup && arguments[1].toString() == colorSchemeKey)
        setDark(unwrapped(arguments[2]).toUInt() == preferDark);
}

void PortalDarkAppearance::setDark(bool dark)
{
    if (dark == m_dark)
        return;
    m_dark = dark;
    Q_EMIT darkChanged(dark);
}

}
