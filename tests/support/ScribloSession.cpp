#include "support/ScribloSession.h"

#include "support/QtTestApplication.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fstream>

namespace scriblo::testing {

namespace {

const QString program = QStringLiteral(SCRIBLO_BINARY_DIR "/scriblo");

}

ScribloSession::ScribloSession(const QString& display, const QString& busAddress)
{
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert(QStringLiteral("HOME"), m_home.path());
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral(".config")));
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral(".local/share")));
    m_environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.filePath(QStringLiteral(".cache")));
    m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    m_environment.insert(QStringLiteral("DISPLAY"), display);
    m_environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
}

ScribloSession::~ScribloSession()
{
    if (m_application.state() != QProcess::NotRunning) {
        m_application.kill();
        m_application.waitForFinished();
    }
}

int ScribloSession::runCommand(const QStringList& arguments, QByteArray* output)
{
    QProcess command;
    command.setProcessEnvironment(m_environment);
    command.start(program, arguments);
    if (!command.waitForFinished(60000))
        return -1;
    if (output)
        *output = command.readAllStandardOutput();
    return command.exitCode();
}

int ScribloSession::setSetting(const QString& name, const QString& value)
{
    return runCommand({ QStringLiteral("settings"), QStringLiteral("set"), name, value });
}

QByteArray ScribloSession::listedGestures()
{
    QByteArray output;
    EXPECT_EQ(runCommand({ QStringLiteral("gestures"), QStringLiteral("list") }, &output), 0);
    return output;
}

void ScribloSession::startApplication()
{
    m_application.setProcessEnvironment(m_environment);
    m_application.start(program, {});
    ASSERT_TRUE(m_application.waitForStarted());
    QByteArray output;
    ASSERT_TRUE(processEventsUntil([&] {
        output += m_application.readAllStandardOutput();
        return output.contains("Mouse:") || m_application.state() == QProcess::NotRunning;
    }, 30000)) << output.constData();
    ASSERT_TRUE(output.contains("Mouse:")) << output.constData() << m_application.readAllStandardError().constData();
}

void ScribloSession::stopApplication()
{
    if (m_application.state() == QProcess::NotRunning)
        return;
    m_application.terminate();
    EXPECT_TRUE(m_application.waitForFinished(20000)) << "SIGTERM must end the application";
    EXPECT_EQ(m_application.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_application.exitCode(), 0);
}

std::string ScribloSession::makeScript(const QString& name)
{
    QString folder = m_home.filePath(QStringLiteral(".local/share/Scriblo/Scripts"));
    QDir().mkpath(folder);
    std::string path = (folder + QLatin1Char('/') + name).toStdString();
    std::ofstream(path) << "#!/bin/sh\ntouch \"$HOME/" << name.toStdString() << ".ran\"\n";
    QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

bool ScribloSession::scriptRan(const QString& name, int timeoutMilliseconds)
{
    return processEventsUntil([&] { return QFile::exists(m_home.filePath(name + QStringLiteral(".ran"))); },
                              timeoutMilliseconds);
}

void ScribloSession::forgetScriptRan(const QString& name)
{
    QFile::remove(m_home.filePath(name + QStringLiteral(".ran")));
}

void ScribloSession::importGesture(const std::string& identity, const std::vector<std::pair<double, double>>& points)
{
    std::string json = "{\"gestures\":[{\"identity\":\"" + identity + "\",\"strokes\":[[";
    for (size_t index = 0; index < points.size(); ++index)
        json += (index ? "," : "") + std::string("[") + std::to_string(points[index].first) + ","
            + std::to_string(points[index].second) + "]";
    json += "]]}]}";
    std::string file = m_home.filePath(QStringLiteral("gesture.json")).toStdString();
    std::ofstream(file) << json;
    ASSERT_EQ(runCommand({ QStringLiteral("gestures"), QStringLiteral("import"), QString::fromStdString(file) }), 0);
}

}
