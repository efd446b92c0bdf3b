#pragma once

#include "base/Expected.h"

#include <QSize>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>

namespace scriblo {

class PrivateXServer;
class SessionBusDaemon;

// The private desktop the demonstration runs in: an X server, a session bus and a
// throw-away home, made this process's environment before any Qt application object
// exists. Everything goes with this object, in the reverse order.
class DemoSession {
public:
    static constexpr QSize screenSize { 1024, 768 };

    // Fails naming the missing program and its Debian package, or what did not start.
    static Expected<std::unique_ptr<DemoSession>> start();
    ~DemoSession();

    const std::filesystem::path& home() const { return m_homePath; }

private:
    DemoSession() = default;
    bool makeHome();
    void exportEnvironment() const;

    std::unique_ptr<PrivateXServer> m_server;
    std::unique_ptr<SessionBusDaemon> m_bus;
    QTemporaryDir m_home;
    std::filesystem::path m_homePath;
};

}
