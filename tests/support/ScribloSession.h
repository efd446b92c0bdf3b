#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <utility>
#include <vector>

namespace scriblo::testing {

// The real program of this build in a throw-away home, on the test's own X server and
// session bus, and its command line on the same store.
class ScribloSession {
public:
    ScribloSession(const QString& display, const QString& busAddress);
    ~ScribloSession();

    bool valid() const { return m_home.isValid(); }
    QProcessEnvironment& environment() { return m_environment; }
    QString homePath(const QString& relative) const { return m_home.filePath(relative); }
    QProcess& application() { return m_application; }

    // The exit code, or -1 when the command did not end in time.
    int runCommand(const QStringList& arguments, QByteArray* output = nullptr);
    // `scriblo settings set NAME VALUE`, the exit code; and what `scriblo gestures list` prints.
    int setSetting(const QString& name, const QString& value);
    QByteArray listedGestures();
    // Started and ready when it has said what it watches; fails the test otherwise.
    void startApplication();
    // Ends the running program as the session's end would, and checks that it went cleanly.
    void stopApplication();

    // An executable script in the user's scripts folder that leaves a file behind when run;
    // the waits are long, since a busy machine may take seconds where an idle one takes
    // a moment, and a test that passes waits no longer for them.
    std::string makeScript(const QString& name);
    bool scriptRan(const QString& name, int timeoutMilliseconds = 20000);
    // Forgets that the script ran, for the next run to be seen.
    void forgetScriptRan(const QString& name);
    // Stores one single-stroke gesture through the command line; points in thousandths, y upward.
    void importGesture(const std::string& identity, const std::vector<std::pair<double, double>>& points);

private:
    QTemporaryDir m_home;
    QProcessEnvironment m_environment;
    QProcess m_application;
};

}
