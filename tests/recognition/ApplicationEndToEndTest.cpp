#include "multitouch/SyntheticTouchpad.h"
#include "platform/DesktopHand.h"
#include "platform/PrivateSessionBus.h"
#include "platform/XvfbServer.h"
#include "support/QtTestApplication.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <fstream>

#include <gtest/gtest.h>

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::SyntheticTouchpad;
using namespace scriblo::testing;

namespace {

// Two monitors side by side on one X screen, the right one smaller and not at the top
// of the desktop's bounding box, so "the pointer's screen" is never the first by luck.
const ScreenRect leftMonitor { 0, 0, 800, 600 };
const ScreenRect rightMonitor { 800, 0, 640, 480 };

// A "Z" in the drawing space (thousandths, y upward), as a user would draw it.
std::vector<std::pair<double, double>> zigzag()
{
    const std::pair<double, double> corners[] = { { 200, 800 }, { 800, 800 }, { 200, 200 }, { 800, 200 } };
    std::vector<std::pair<double, double>> points;
    constexpr int stepsPerSide = 12;
    for (int side = 0; side < 3; ++side) {
        for (int step = 0; step < stepsPerSide; ++step) {
            double t = double(step) / stepsPerSide;
            points.push_back({ corners[side].first + t * (corners[side + 1].first - corners[side].first),
                               corners[side].second + t * (corners[side + 1].second - corners[side].second) });
        }
    }
    points.push_back(corners[3]);
    return points;
}

class ApplicationEndToEndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ensureCoreApplication();
        server = new XvfbServer(QStringLiteral("1440x600x24"));
        bus = new PrivateSessionBus;
        if (server->display().isEmpty())
            return;
        // Xvfb offers one output; two monitors on it are what the desktop reports for two screens.
        QProcess::execute(QStringLiteral("xrandr"), { QStringLiteral("--setmonitor"), QStringLiteral("left"),
                                                      QStringLiteral("800/211x600/159+0+0"), QStringLiteral("screen") });
        QProcess::execute(QStringLiteral("xrandr"), { QStringLiteral("--setmonitor"), QStringLiteral("right"),
                                                      QStringLiteral("640/169x480/127+800+0"), QStringLiteral("none") });
    }
    static void TearDownTestSuite()
    {
        delete bus;
        delete server;
    }

    void SetUp() override
    {
        if (server->display().isEmpty())
            GTEST_SKIP() << "Xvfb could not start; install the xvfb package to run the end-to-end tests";
        if (bus->address().isEmpty())
            GTEST_SKIP() << "dbus-daemon could not start a private session bus";
        ASSERT_TRUE(home.isValid());
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus->address());
        environment.insert(QStringLiteral("DISPLAY"), server->display());
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    }

    void TearDown() override
    {
        if (application.state() == QProcess::NotRunning)
            return;
        application.terminate();
        EXPECT_TRUE(application.waitForFinished(5000)) << "SIGTERM must end the application";
        EXPECT_EQ(application.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(application.exitCode(), 0);
    }

    int runCommand(const QStringList& arguments)
    {
        QProcess command;
        command.setProcessEnvironment(environment);
        command.start(QStringLiteral(SCRIBLO_BINARY_DIR "/scriblo"), arguments);
        if (!command.waitForFinished(10000))
            return -1;
        return command.exitCode();
    }

    // Started and ready when it has said what it watches.
    void startApplication()
    {
        application.setProcessEnvironment(environment);
        application.start(QStringLiteral(SCRIBLO_BINARY_DIR "/scriblo"), {});
        ASSERT_TRUE(application.waitForStarted());
        QByteArray output;
        ASSERT_TRUE(processEventsUntil([&] {
            output += application.readAllStandardOutput();
            return output.contains("Mouse:") || application.state() == QProcess::NotRunning;
        }, 10000)) << output.constData();
        ASSERT_TRUE(output.contains("Mouse:")) << output.constData() << application.readAllStandardError().constData();
    }

    // An executable script in the user's scripts folder that leaves a file behind when run.
    std::string makeScript(const QString& name)
    {
        QString folder = home.filePath(QStringLiteral(".local/share/Scriblo/Scripts"));
        QDir().mkpath(folder);
        std::string path = (folder + QLatin1Char('/') + name).toStdString();
        std::ofstream(path) << "#!/bin/sh\ntouch \"$HOME/" << name.toStdString() << ".ran\"\n";
        QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    void importZigzag(const std::string& identity)
    {
        std::string json = "{\"gestures\":[{\"identity\":\"" + identity + "\",\"strokes\":[[";
        auto points = zigzag();
        for (size_t index = 0; index < points.size(); ++index)
            json += (index ? "," : "") + std::string("[") + std::to_string(points[index].first) + ","
                + std::to_string(points[index].second) + "]";
        json += "]]}]}";
        std::string file = home.filePath(QStringLiteral("gesture.json")).toStdString();
        std::ofstream(file) << json;
        ASSERT_EQ(runCommand({ QStringLiteral("gestures"), QStringLiteral("import"), QString::fromStdString(file) }), 0);
    }

    bool scriptRan(const QString& name, int timeoutMilliseconds = 5000)
    {
        return processEventsUntil([&] { return QFile::exists(home.filePath(name + QStringLiteral(".ran"))); },
                                  timeoutMilliseconds);
    }

    static void pause(int milliseconds) { QThread::msleep(milliseconds); }

    static inline XvfbServer* server = nullptr;
    static inline PrivateSessionBus* bus = nullptr;
    QTemporaryDir home;
    QProcessEnvironment environment;
    QProcess application;
};

}

TEST_F(ApplicationEndToEndTest, mouseModeOpensOnThePointersScreenAndLaunchesTheDrawnGesture)
{
    ASSERT_EQ(runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                           QStringLiteral("false") }), 0);
    startApplication();
    // Made and bound while the application runs: it must follow the store.
    importZigzag(makeScript(QStringLiteral("mouse")));
    pause(1000);

    DesktopHand hand;
    ASSERT_TRUE(hand.connected());
    hand.moveTo(rightMonitor.x + 200, rightMonitor.y + 150);
    hand.press(3);
    hand.release(3);
    pause(200);
    hand.press(3);
    hand.release(3);
    std::optional<ScreenRect> window;
    ASSERT_TRUE(processEventsUntil([&] { return (window = hand.overrideRedirectWindow()).has_value(); }, 3000))
        << "two secondary presses 200 ms apart must open the window";
    EXPECT_TRUE(rightMonitor.contains(*window)) << window->x << "," << window->y << " " << window->width << "x" << window->height;

    auto points = zigzag();
    auto at = [&](std::pair<double, double> point) {
        hand.moveTo(window->x + int(point.first / 1000 * window->width),
                    window->y + int((1000 - point.second) / 1000 * window->height));
    };
    at(points.front());
    hand.press(1);
    for (const auto& point : points) {
        at(point);
        pause(8);
    }
    hand.release(1);
    EXPECT_TRUE(scriptRan(QStringLiteral("mouse"))) << application.readAllStandardError().constData();
}

TEST_F(ApplicationEndToEndTest, touchpadModeStartsFromAFourFingerTapAndLaunchesTheDrawnShape)
{
    importZigzag(makeScript(QStringLiteral("touch")));
    ASSERT_EQ(runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                           QStringLiteral("true") }), 0);
    SyntheticTouchpad pad(5);
    pad.at(0).report();
    // A four-finger tap a second in, once the application listens, then one finger
    // draws the shape.
    pad.fourFingerTap(1.0);
    pad.drawStroke(zigzag(), 1.4, 0.012);
    std::string recording = home.filePath(QStringLiteral("tap-and-draw.evemu")).toStdString();
    std::ofstream(recording) << pad.text();
    environment.insert(QStringLiteral("SCRIBLO_TOUCHPAD_REPLAY"), QString::fromStdString(recording));

    startApplication();
    EXPECT_TRUE(scriptRan(QStringLiteral("touch"), 6000)) << application.readAllStandardError().constData();
}

TEST_F(ApplicationEndToEndTest, aSecondStartExitsAtOnceAndTheFirstKeepsRunning)
{
    startApplication();
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(SCRIBLO_BINARY_DIR "/scriblo"), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    pause(200);
    EXPECT_EQ(application.state(), QProcess::Running);
}

TEST(ApplicationWithoutDisplayTest, saysInOneLineThatDisplayIsMissingAndFails)
{
    ensureCoreApplication();
    QProcess application;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    application.setProcessEnvironment(environment);
    application.start(QStringLiteral(SCRIBLO_BINARY_DIR "/scriblo"), {});
    ASSERT_TRUE(application.waitForFinished(10000));
    EXPECT_EQ(application.exitCode(), 1);
    QByteArray error = application.readAllStandardError();
    EXPECT_EQ(error.count('\n'), 1) << error.constData();
    EXPECT_TRUE(error.contains("DISPLAY")) << error.constData();
}
