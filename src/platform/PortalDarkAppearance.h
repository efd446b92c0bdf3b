#pragma once

#include "platform/DarkAppearance.h"

#include <QDBusConnection>

class QDBusPendingCallWatcher;
class QDBusMessage;

namespace scriblo {

// The desktop portal's colour scheme, asked for once and then followed through its change
// signal. Every call is asynchronous, so a slow or missing portal never holds up the
// event loop; without a portal the look stays light.
class PortalDarkAppearance final : public DarkAppearance {
    Q_OBJECT
public:
    explicit PortalDarkAppearance(const QDBusConnection& bus, QObject* parent = nullptr);
    bool isDark() const override { return m_dark; }

private Q_SLOTS:
    void settingChanged(const QDBusMessage& message);

private:
    void readAfterVersion(QDBusPendingCallWatcher* watcher);
    void takeReadAnswer(QDBusPendingCallWatcher* watcher);
    void setDark(bool dark);

    QDBusConnection m_bus;
    bool m_dark = false;
};

}
