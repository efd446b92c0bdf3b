#pragma once

#include "support/QtTestApplication.h"

#include <QProcess>
#include <QTemporaryDir>

namespace scriblo::testing {

// Openbox on an X server of the test's own: windows are then framed, stacked and given
// the focus as on a desktop, where a bare X server maps every window where it asks.
class OpenboxWindowManager {
public:
    static constexpr const char* program = "/usr/bin/openbox";

    // On `display`, or on $DISPLAY when none is given, seeing `environment` besides.
    explicit OpenboxWindowManager(const QString& display = {},
                                  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
    {
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        m_display = environment.value(QStringLiteral("DISPLAY"));
        // Its log and session files go here, not into the user's home.
        for (const char* variable : { "HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME" })
            environment.insert(QString::fromLatin1(variable), m_home.path());
        m_openbox.setProcessEnvironment(environment);
        m_openbox.start(QString::fromLatin1(program), { QStringLiteral("--sm-disable") });
        if (!m_openbox.waitForStarted(5000))
            return;
        // Windows mapped before it manages the screen would not be managed as users see them.
        m_running = processEventsUntil([this] { return managesScreen() || m_openbox.state() != QProcess::Running; }, 15000)
            && m_openbox.state() == QProcess::Running;
    }
    ~OpenboxWindowManager() { stopProcess(m_openbox, 3000); }
    bool running() const { return m_running; }

private:
    // A window manager announces itself on the root window.
    bool managesScreen() const
    {
        QProcess property;
        property.start(QStringLiteral("xprop"), { QStringLiteral("-display"), m_display, QStringLiteral("-root"),
                                                  QStringLiteral("_NET_SUPPORTING_WM_CHECK") });
        property.waitForFinished(2000);
        return property.readAllStandardOutput().contains("window id");
    }

    QString m_display;
    QTemporaryDir m_home;
    QProcess m_openbox;
    bool m_running = false;
};

}
