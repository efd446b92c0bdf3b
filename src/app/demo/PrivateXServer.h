#pragma once

#include "base/Expected.h"

#include <QString>

#include <memory>

class QProcess;

namespace scriblo {

// A virtual X server (Xvfb) of this process's own, on a display number nobody uses;
// it ends when this object goes (taking its lock file with it), or with this process.
class PrivateXServer {
public:
    // `screenSize` as Xvfb takes it, "WIDTHxHEIGHTxDEPTH". Fails when Xvfb is not
    // installed or no display could be started.
    static Expected<std::unique_ptr<PrivateXServer>> start(const QString& screenSize);
    ~PrivateXServer();

    // ":N", for DISPLAY.
    const QString& display() const { return m_display; }

private:
    PrivateXServer(std::unique_ptr<QProcess> server, QString display);
    static std::unique_ptr<QProcess> tryDisplay(int number, const QString& screenSize);
    static bool reachable(const QString& display);

    std::unique_ptr<QProcess> m_server;
    QString m_display;
};

}
