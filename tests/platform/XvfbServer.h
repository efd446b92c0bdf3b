#pragma once

#include "app/demo/PrivateXServer.h"

#include <QString>

#include <cstdlib>
#include <memory>

namespace scriblo::testing {

// A virtual X server of the test's own, made the test's $DISPLAY.
class XvfbServer {
public:
    explicit XvfbServer(const QString& screenSize = QStringLiteral("800x600x24"))
    {
        auto server = PrivateXServer::start(screenSize);
        if (!server)
            return;
        m_server = std::move(*server);
        m_display = m_server->display();
        setenv("DISPLAY", m_display.toLatin1().constData(), 1);
    }
    // Empty when Xvfb could not start.
    const QString& display() const { return m_display; }

private:
    std::unique_ptr<PrivateXServer> m_server;
    QString m_display;
};

}
