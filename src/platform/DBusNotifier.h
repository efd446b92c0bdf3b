#pragma once

#include "platform/Notifier.h"

#include <QDBusConnection>
#include <QObject>

#include <iosfwd>

namespace scriblo {

// Desktop notifications through org.freedesktop.Notifications. The call is asynchronous,
// so a slow notification service never holds up the event loop; where none answers (no
// session bus, no service, an error), the notice goes to `fallback` as one line instead,
// so that it is never lost without a trace.
class DBusNotifier final : public QObject, public Notifier {
public:
    DBusNotifier(const QDBusConnection& bus, std::ostream& fallback, QObject* parent = nullptr);

    void notify(const QString& summary, const QString& body) override;

private:
    void writeFallback(const QString& summary, const QString& body);

    QDBusConnection m_bus;
    std::ostream& m_fallback;
};

}
