#include "multitouch/LogindSleepWatcher.h"

#include <QDBusConnection>

namespace scriblo {

LogindSleepWatcher::LogindSleepWatcher(std::function<void()> onWake, QObject* parent)
    : QObject(parent)
    , m_onWake(std::move(onWake))
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    bus.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                "PrepareForSleep", this, SLOT(prepareForSleep(bool)));
}

void LogindSleepWatcher::prepareForSleep(bool sleeping)
{
    if (!sleeping)
        m_onWake();
}

}
