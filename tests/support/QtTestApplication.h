#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <functional>

namespace scriblo::testing {

// The one application object of a test executable, made on first use.
inline void ensureCoreApplication()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = { name, nullptr };
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// Runs the event loop until `done` holds or the time is up; says whether it held.
inline bool processEventsUntil(const std::function<bool()>& done, int timeoutMilliseconds = 5000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > timeoutMilliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// Asks a child to end, as a session's end would, and kills it if it has not within
// `milliseconds`, so that no test leaves a server behind.
inline void stopProcess(QProcess& process, int milliseconds)
{
    process.terminate();
    if (!process.waitForFinished(milliseconds)) {
        process.kill();
        process.waitForFinished();
    }
}

}
