#pragma once

#include <QProcess>
#include <QString>

#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace scriblo::testing {

// A virtual X server of the test's own. Other test runs on the machine start servers
// too, so the display number is drawn from a range by process ID and the next one is
// tried when it is taken; the server writes the number to a pipe once it accepts
// connections, so nothing waits on a guess.
class XvfbServer {
public:
    explicit XvfbServer(const QString& screenSize = QStringLiteral("800x600x24"))
    {
        for (int attempt = 0; attempt < 8 && m_display.isEmpty(); ++attempt)
            tryDisplay(100 + (getpid() * 7 + attempt) % 800, screenSize);
        if (!m_display.isEmpty())
            setenv("DISPLAY", m_display.toLatin1().constData(), 1);
    }
    ~XvfbServer() { stop(); }
    // Empty when Xvfb could not start.
    const QString& display() const { return m_display; }

private:
    void tryDisplay(int number, const QString& screenSize)
    {
        int ready[2];
        if (pipe2(ready, O_CLOEXEC) != 0)
            return;
        m_server = std::make_unique<QProcess>();
        // With standard input closed (as under ctest) the pipe's write end may already be
        // descriptor 3, where dup2 would leave it to be closed at exec.
        m_server->setChildProcessModifier([&ready] {
            if (ready[1] == 3)
                fcntl(3, F_SETFD, 0);
            else
                dup2(ready[1], 3);
        });
        m_server->start(QStringLiteral("Xvfb"), { QStringLiteral(":%1").arg(number), QStringLiteral("-displayfd"),
                                                  QStringLiteral("3"), QStringLiteral("-noreset"),
                                                  QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                  QStringLiteral("-screen"), QStringLiteral("0"),
                                                  screenSize });
        close(ready[1]);
        char written[16] = {};
        bool started = m_server->waitForStarted(5000) && read(ready[0], written, sizeof written - 1) > 0;
        close(ready[0]);
        QString name = QStringLiteral(":%1").arg(number);
        if (started && reachable(name))
            m_display = name;
        else
            stop();
    }
    // Defined apart from the Qt headers, which Xlib's macros would break.
    static bool reachable(const QString& name);
    void stop()
    {
        if (!m_server)
            return;
        m_server->kill();
        m_server->waitForFinished();
        m_server.reset();
    }

    std::unique_ptr<QProcess> m_server;
    QString m_display;
};

}
