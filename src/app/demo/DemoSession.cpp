#include "app/demo/DemoSession.h"

#include "app/demo/PrivateXServer.h"
#include "app/demo/SessionBusDaemon.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace scriblo {

Expected<std::unique_ptr<DemoSession>> DemoSession::start()
{
    std::unique_ptr<DemoSession> session(new DemoSession);
    auto server = PrivateXServer::start(QStringLiteral("%1x%2x24").arg(screenSize.width()).arg(screenSize.height()));
    if (!server)
        return Failure { server.error() };
    session->m_server = std::move(*server);
    auto bus = SessionBusDaemon::start();
    if (!bus)
        return Failure { bus.error() };
    session->m_bus = std::move(*bus);
    if (!session->makeHome())
        return Failure { "cannot make a temporary home folder" };
    session->exportEnvironment();
    return session;
}

DemoSession::~DemoSession() = default;

bool DemoSession::makeHome()
{
    if (!m_home.isValid())
        return false;
    m_homePath = m_home.path().toStdString();
    // Qt refuses a runtime folder that others may read.
    QString runtime = m_home.filePath(QStringLiteral("runtime"));
    return QDir().mkpath(runtime)
        && QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void DemoSession::exportEnvironment() const
{
    auto set = [](const char* name, const QString& value) { setenv(name, value.toLocal8Bit().constData(), 1); };
    set("DISPLAY", m_server->display());
    set("DBUS_SESSION_BUS_ADDRESS", m_bus->address());
    set("QT_QPA_PLATFORM", QStringLiteral("xcb"));
    set("HOME", m_home.path());
    set("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral(".config")));
    set("XDG_DATA_HOME", m_home.filePath(QStringLiteral(".local/share")));
    set("XDG_CACHE_HOME", m_home.filePath(QStringLiteral(".cache")));
    set("XDG_RUNTIME_DIR", m_home.filePath(QStringLiteral("runtime")));
    // A Wayland session would pull Qt and the desktop services away from the private X
    // server; an AppImage's variables would offer to move it before any window opens.
    for (const char* name : { "WAYLAND_DISPLAY", "APPIMAGE", "SCRIBLO_TOUCHPAD_REPLAY" })
        unsetenv(name);
}

}
