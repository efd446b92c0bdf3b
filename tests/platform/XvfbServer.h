#pragma once

#include <QProcess>
#include <QString>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace scriblo::testing {

// A virtual X server of the test's own; it picks a free display number itself and
// writes it to a pipe once it accepts connections, so nothing waits on a guess.
class XvfbServer {
public:
    XvfbServer()
    {
        int ready[2];
        if (pipe2(ready, O_CLOEXEC) != 0)
            return;
        m_server.setChildProcessModifier([&ready] { dup2(ready[1], 3); });
        m_server.start(QStringLiteral("Xvfb"), { QStringLiteral("-displayfd"), QStringLiteral("3"),
                                                 QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                                                 QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                                 QStringLiteral("800x600x24") });
        close(ready[1]);
        char number[16] = {};
        if (m_server.waitForStarted(5000) && read(ready[0], number, sizeof number - 1) > 0)
            m_display = QStringLiteral(":") + QString::fromLatin1(number).trimmed();
        close(ready[0]);
        if (!m_display.isEmpty())
            setenv("DISPLAY", m_display.toLatin1().constData(), 1);
    }
    ~XvfbServer()
    {
        m_server.kill();
        m_server.waitForFinished();
    }
    // Empty when Xvfb could not start.
    const QString& display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

}
