#include "multitouch/SyntheticTouchpad.h"
#include "app/demo/DesktopHand.h"
#include "support/BusyCores.h"
#include "support/DesktopSessionTest.h"
#include "app/demo/DemoSamples.h"
#include "platform/FakeNotificationService.h"

#include <QProcess>
#include <QThread>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::SyntheticTouchpad;
using scriblo::DemoSamples::zigzag;
using namespace scriblo::testing;

namespace {

// Two monitors side by side on one X screen, the right one smaller and not at the top
// of the desktop's bounding box, so "the pointer's screen" is never the first by luck.
const ScreenRect leftMonitor { 0, 0, 800, 600 };
const ScreenRect rightMonitor { 800, 0, 640, 480 };

class ApplicationEndToEndTest : public DesktopSessionTest {
protected:
    static void SetUpTestSuite()
    {
        startDesktop(QStringLiteral("1440x600x24"));
        if (server->display().isEmpty())
            return;
        // Xvfb offers one output; two monitors on it are what the desktop reports for two screens.
        QProcess::execute(QStringLiteral("xrandr"), { QStringLiteral("--setmonitor"), QStringLiteral("left"),
                                                      QStringLiteral("800/211x600/159+0+0"), QStringLiteral("screen") });
        QProcess::execute(QStringLiteral("xrandr"), { QStringLiteral("--setmonitor"), QStringLiteral("right"),
                                                      QStringLiteral("640/169x480/127+800+0"), QStringLiteral("none") });
    }
    static void TearDownTestSuite() { stopDesktop(); }

    static void pause(int milliseconds) { QThread::msleep(milliseconds); }

    // Binds the zigzag to the script "touch" and has a replayed touchpad make a
    // four-finger tap a second in, once the application listens, and then draw it.
    void replayTapAndZigzag()
    {
        session->importGesture(session->makeScript(QStringLiteral("touch")), zigzag());
        ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                               QStringLiteral("true") }), 0);
        SyntheticTouchpad pad(5);
        pad.at(0).report();
        pad.fourFingerTap(1.0);
        pad.drawStroke(zigzag(), 1.4, 0.012);
        std::string recording = session->homePath(QStringLiteral("tap-and-draw.evemu")).toStdString();
        std::ofstream(recording) << pad.text();
        session->environment().insert(QStringLiteral("SCRIBLO_TOUCHPAD_REPLAY"), QString::fromStdString(recording));
    }
};

}

// A user's machine is often busy: a build, a video, a browser pegging a core. The start
// and the drawing must work as they do on an idle one, judged by when the user pressed,
// not by when the program got round to reading it. The window opens on the screen that
// holds the pointer, never the first by luck.
TEST_F(ApplicationEndToEndTest, mouseModeOpensOnThePointersScreenAndLaunchesWhileEveryCoreIsBusy)
{
    ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                           QStringLiteral("false") }), 0);
    session->importGesture(session->makeScript(QStringLiteral("busy")), zigzag());
    session->startApplication();
    BusyCores busy;

    DesktopHand hand;
    ASSERT_TRUE(hand.connected());
    auto drawOnceOpen = [&](const char* start, const ScreenRect& monitor) {
        std::optional<ScreenRect> window;
        ASSERT_TRUE(processEventsUntil([&] { return (window = hand.overrideRedirectWindow()).has_value(); }, 15000))
            << start << " must open the window";
        EXPECT_TRUE(monitor.contains(*window)) << window->x << "," << window->y << " " << window->width << "x" << window->height;
        hand.trace(*window, zigzag(), [] { pause(8); });
        hand.release(1);
        EXPECT_TRUE(session->scriptRan(QStringLiteral("busy"))) << start << ": " << session->application().readAllStandardError().constData();
        session->forgetScriptRan(QStringLiteral("busy"));
        ASSERT_TRUE(processEventsUntil([&] { return !hand.overrideRedirectWindow(); }, 15000)) << start;
    };
    for (const ScreenRect& monitor : { rightMonitor, leftMonitor, leftMonitor }) {
        hand.moveTo(monitor.x + 200, monitor.y + 150);
        hand.clickTwice(3, std::chrono::milliseconds(200));
        drawOnceOpen("a double press", monitor);
    }
    // Slow, then quick: the first two presses are too far apart, the last two are not.
    hand.moveTo(leftMonitor.x + 400, leftMonitor.y + 300);
    hand.press(3);
    hand.release(3);
    pause(700);
    hand.clickTwice(3, std::chrono::milliseconds(200));
    drawOnceOpen("a slow then quick double press", leftMonitor);
}

// Nothing is deleted behind the user's back: a gesture whose script was deleted goes
// from the store only into the file that an import takes back, and the desktop's
// notification service hears of it.
TEST_F(ApplicationEndToEndTest, aGestureWhoseScriptWasDeletedIsKeptAndTheUserNotified)
{
    FakeNotificationService notifications(QDBusConnection::connectToBus(bus->address(), QStringLiteral("notifications")));
    ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                           QStringLiteral("false") }), 0);
    std::string script = session->makeScript(QStringLiteral("deleted"));
    session->importGesture(script, zigzag());
    std::filesystem::remove(script);
    session->startApplication();

    DesktopHand hand;
    ASSERT_TRUE(hand.connected());
    hand.moveTo(leftMonitor.x + 400, leftMonitor.y + 300);
    hand.clickTwice(3, std::chrono::milliseconds(150));
    std::optional<ScreenRect> window;
    ASSERT_TRUE(processEventsUntil([&] { return (window = hand.overrideRedirectWindow()).has_value(); }, 15000));
    hand.trace(*window, zigzag(), [] { pause(8); });
    hand.release(1);
    ASSERT_TRUE(processEventsUntil([&] { return !notifications.notices.empty(); }, 20000))
        << session->application().readAllStandardError().constData();
    QString kept = session->homePath(QStringLiteral(".local/share/Scriblo/removed-gestures.json"));
    EXPECT_TRUE(notifications.notices[0].body.contains(kept)) << notifications.notices[0].body.toStdString();

    QByteArray listed;
    ASSERT_EQ(session->runCommand({ QStringLiteral("gestures"), QStringLiteral("list") }, &listed), 0);
    EXPECT_EQ(listed, "");
    ASSERT_EQ(session->runCommand({ QStringLiteral("gestures"), QStringLiteral("import"), kept }), 0);
    ASSERT_EQ(session->runCommand({ QStringLiteral("gestures"), QStringLiteral("list") }, &listed), 0);
    EXPECT_TRUE(listed.startsWith(QByteArray::fromStdString(script + "\t1\t"))) << listed.constData();
}

TEST_F(ApplicationEndToEndTest, aTouchpadTapAndDrawingLaunchWhileEveryCoreIsBusy)
{
    replayTapAndZigzag();
    BusyCores busy;
    session->startApplication();
    EXPECT_TRUE(session->scriptRan(QStringLiteral("touch"))) << session->application().readAllStandardError().constData();
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
