#pragma once

#include <QProcess>
#include <QString>

#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace scriblo::testing {

// A virtual X server of the test's own. Other test runs on the machine start servers
// too, so the display number is drawn from a range by process ID and the next one is
// tried when it is taken (the server then exits at once).
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
    // Polls for the server to accept connections rather than passing it a descriptor
    // to announce itself on: QProcess's own descriptors in the child made that
    // announcement land on the wrong file now and then, and the server then quit.
    void tryDisplay(int number, const QString& screenSize)
    {
        m_server = std::make_unique<QProcess>();
        m_server->start(QStringLiteral("Xvfb"), { QStringLiteral(":%1").arg(number), QStringLiteral("-noreset"),
                                                  QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                  QStringLiteral("-screen"), QStringLiteral("0"), screenSize });
        QString name = QStringLiteral(":%1").arg(number);
        if (m_server->waitForStarted(5000)) {
            for (int wait = 0; wait < 100 && m_server->state() == QProcess::Running; ++wait) {
                if (reachable(name)) {
                    m_display = name;
                    return;
                }
                usleep(50 * 1000);
            }
        }
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
