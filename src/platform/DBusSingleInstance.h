#pragma once

#include "platform/SingleInstance.h"

#include <QDBusConnection>

namespace scriblo {

// The session bus name org.scriblo.Scriblo marks the running instance. The bus frees
// the name when its owner dies, so a crash leaves no stale lock behind.
class DBusSingleInstance final : public SingleInstance {
    Q_OBJECT
public:
    static constexpr const char* serviceName = "org.scriblo.Scriblo";
    static constexpr const char* objectPath = "/org/scriblo/Scriblo";

    explicit DBusSingleInstance(const QDBusConnection& bus, QObject* parent = nullptr);
    Expected<Role> claim() override;

private:
    Expected<Role> activateRunningInstance();

    QDBusConnection m_bus;
};

}
