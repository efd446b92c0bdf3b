#include "support/HeadlessCompositor.h"

#include "support/QtTestApplication.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace scriblo::testing {

namespace {

// Both compositors say where XWayland listens once it does: weston "xserver listening
// on display :1", mutter "Using public X11 display :1, ...".
const QRegularExpression xDisplayLine(QStringLiteral("(?:xserver listening on display|Using public X11 display) (:\\d+)"));

}

HeadlessCompositor::HeadlessCompositor(Kind kind, const QString& busAddress)
    : m_kind(kind)
    , m_waylandDisplay(QStringLiteral("scriblo-test-%1").arg(getpid()))
{
    // Plain X11 has no compositor here: openbox manages the windows.
    QString manager = wayland() ? name() : QStringLiteral("openbox");
    QString program = QStandardPaths::findExecutable(manager);
    QString xServer = wayland() ? QStringLiteral("Xwayland") : QStringLiteral("Xvfb");
    if (program.isEmpty() || QStandardPaths::findExecutable(xServer).isEmpty()) {
        m_failure = manager + QStringLiteral(" or ") + xServer
            + QStringLiteral(" is not installed (scripts/install-deps.sh installs them)");
        return;
    }
    // XWayland's sockets go in the X server's common folder, which a bare container
    // may lack; X servers make it world-writable and sticky.
    if (!QFile::exists(QStringLiteral("/tmp/.X11-unix")) && mkdir("/tmp/.X11-unix", 01777) == 0)
        chmod("/tmp/.X11-unix", 01777);
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (!wayland()) {
        startX11(environment);
        return;
    }
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, arguments());
    if (!m_process.waitForStarted()) {
        m_failure = manager + QStringLiteral(" did not start: ") + m_process.errorString();
        return;
    }
    if (!waitForXDisplay()) {
        QList<QByteArray> lines = m_log.trimmed().split('\n');
        m_failure = manager + QStringLiteral(" started no XWayland; its last words: ")
            + QString::fromLocal8Bit(lines.isEmpty() ? QByteArray() : lines.last());
    }
}

HeadlessCompositor::~HeadlessCompositor()
{
    if (m_process.state() != QProcess::NotRunning)
        stopProcess(m_process, 5000);
}

QString HeadlessCompositor::kindName(Kind kind)
{
    switch (kind) {
    case Kind::X11:
        return QStringLiteral("x11");
    case Kind::Weston:
        return QStringLiteral("weston");
    case Kind::Mutter:
        return QStringLiteral("mutter");
    }
    return {};
}

void HeadlessCompositor::startX11(const QProcessEnvironment& environment)
{
    auto server = PrivateXServer::start(QStringLiteral("1024x768x24"));
    if (!server) {
        m_failure = QStringLiteral("Xvfb did not start: ") + QString::fromStdString(server.error());
        return;
    }
    m_xServer = std::move(*server);
    m_xDisplay = m_xServer->display();
    m_windowManager = std::make_unique<OpenboxWindowManager>(m_xDisplay, environment);
    if (!m_windowManager->running())
        m_failure = QStringLiteral("openbox did not take the screen");
}

QString HeadlessCompositor::xAuthority() const
{
    // Mutter writes it beside its socket and hands it only to the clients it starts.
    QStringList keys = QDir(m_runtime.path()).entryList({ QStringLiteral(".mutter-Xwaylandauth*") },
                                                       QDir::Files | QDir::Hidden);
    return keys.isEmpty() ? QString() : m_runtime.filePath(keys.first());
}

QStringList HeadlessCompositor::arguments() const
{
    if (m_kind == Kind::Weston)
        return { QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--use-pixman"),
                 QStringLiteral("--xwayland"), QStringLiteral("--socket=") + m_waylandDisplay };
    return { QStringLiteral("--wayland"), QStringLiteral("--headless"), QStringLiteral("--virtual-monitor"),
             QStringLiteral("1024x768"), QStringLiteral("--wayland-display=") + m_waylandDisplay };
}

bool HeadlessCompositor::waitForXDisplay()
{
    processEventsUntil([&] {
        m_log += m_process.readAll();
        auto found = xDisplayLine.match(QString::fromLocal8Bit(m_log));
        if (found.hasMatch())
            m_xDisplay = found.captured(1);
        return found.hasMatch() || m_process.state() == QProcess::NotRunning;
    }, 15000);
    return !m_xDisplay.isEmpty();
}

}
