#include "app/demo/PrivateXServer.h"

#include "app/demo/ChildLifetime.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>

#include <unistd.h>

// After the Qt headers, which Xlib's macros would break.
#include <X11/Xlib.h>

namespace scriblo {

namespace {

constexpr int attempts = 8;
constexpr int pollsUntilReady = 100;
constexpr useconds_t pollInterval = 50 * 1000;

// Another server holds a display number while its lock file names a live process. A
// server that was killed leaves the file behind, and the next one on that number
// replaces it; counting such files as taken ran out of numbers after a few hundred
// runs. Several runs may pick at once, so the start still fails over to the next number.
bool displayTaken(int number)
{
    QFile lock(QStringLiteral("/tmp/.X%1-lock").arg(number));
    if (!lock.open(QIODevice::ReadOnly))
        return false;
    bool readable = false;
    pid_t owner = lock.read(64).trimmed().toInt(&readable);
    return !readable || owner <= 0 || kill(owner, 0) == 0 || errno == EPERM;
}

// Asked to end, a server removes its lock file and socket; killed, it leaves them.
void stop(QProcess& server)
{
    server.terminate();
    if (!server.waitForFinished(3000)) {
        server.kill();
        server.waitForFinished();
    }
}

}

Expected<std::unique_ptr<PrivateXServer>> PrivateXServer::start(const QString& screenSize)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return Failure { "Xvfb is not installed (Debian package: xvfb)" };
    // Spread by process ID, so runs started together rarely try the same numbers.
    int number = 100 + (getpid() * 7) % 800;
    for (int attempt = 0; attempt < attempts; ++attempt, ++number) {
        if (displayTaken(number))
            continue;
        if (auto server = tryDisplay(number, screenSize))
            return std::unique_ptr<PrivateXServer>(new PrivateXServer(std::move(server), QStringLiteral(":%1").arg(number)));
    }
    return Failure { "Xvfb could not start a display" };
}

PrivateXServer::PrivateXServer(std::unique_ptr<QProcess> server, QString display)
    : m_server(std::move(server))
    , m_display(std::move(display))
{
}

PrivateXServer::~PrivateXServer()
{
    stop(*m_server);
}

// Polls for the server to accept connections rather than passing it a descriptor to
// announce itself on: QProcess's own descriptors in the child made that announcement
// land on the wrong file now and then, and the server then quit.
std::unique_ptr<QProcess> PrivateXServer::tryDisplay(int number, const QString& screenSize)
{
    auto server = std::make_unique<QProcess>();
    endWithThisProcess(*server);
    QString name = QStringLiteral(":%1").arg(number);
    server->start(QStringLiteral("Xvfb"), { name, QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                            screenSize });
    if (server->waitForStarted(5000)) {
        for (int poll = 0; poll < pollsUntilReady && server->state() == QProcess::Running; ++poll) {
            if (reachable(name))
                return server;
            usleep(pollInterval);
        }
    }
    stop(*server);
    return nullptr;
}

bool PrivateXServer::reachable(const QString& display)
{
    Display* connection = XOpenDisplay(display.toLatin1().constData());
    if (connection)
        XCloseDisplay(connection);
    return connection != nullptr;
}

}
