#include "multitouch/SyntheticTouchpad.h"
#include "platform/DesktopHand.h"
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
};

}

TEST_F(ApplicationEndToEndTest, mouseModeOpensOnThePointersScreenAndLaunchesTheDrawnGesture)
{
    ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                           QStringLiteral("false") }), 0);
    session->startApplication();
    // Made and bound while the application runs: it must follow the store.
    session->importGesture(session->makeScript(QStringLiteral("mouse")), zigzag());
    pause(1000);

    DesktopHand hand;
    ASSERT_TRUE(hand.connected());
    hand.moveTo(rightMonitor.x + 200, rightMonitor.y + 150);
    hand.clickTwice(3, std::chrono::milliseconds(200));
    std::optional<ScreenRect> window;
    ASSERT_TRUE(processEventsUntil([&] { return (window = hand.overrideRedirectWindow()).has_value(); }, 3000))
        << "two secondary presses 200 ms apart must open the window";
    EXPECT_TRUE(rightMonitor.contains(*window)) << window->x << "," << window->y << " " << window->width << "x" << window->height;

    hand.trace(*window, zigzag(), [] { pause(8); });
    hand.release(1);
    EXPECT_TRUE(session->scriptRan(QStringLiteral("mouse"))) << session->application().readAllStandardError().constData();
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
    ASSERT_TRUE(processEventsUntil([&] { return (window = hand.overrideRedirectWindow()).has_value(); }, 3000));
    hand.trace(*window, zigzag(), [] { pause(8); });
    hand.release(1);
    ASSERT_TRUE(processEventsUntil([&] { return !notifications.notices.empty(); }, 5000))
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

TEST_F(ApplicationEndToEndTest, touchpadModeStartsFromAFourFingerTapAndLaunchesTheDrawnShape)
{
    session->importGesture(session->makeScript(QStringLiteral("touch")), zigzag());
    ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                           QStringLiteral("true") }), 0);
    SyntheticTouchpad pad(5);
    pad.at(0).report();
    // A four-finger tap a second in, once the application listens, then one finger
    // draws the shape.
    pad.fourFingerTap(1.0);
    pad.drawStroke(zigzag(), 1.4, 0.012);
    std::string recording = session->homePath(QStringLiteral("tap-and-draw.evemu")).toStdString();
    std::ofstream(recording) << pad.text();
    session->environment().insert(QStringLiteral("SCRIBLO_TOUCHPAD_REPLAY"), QString::fromStdString(recording));

    session->startApplication();
    EXPECT_TRUE(session->scriptRan(QStringLiteral("touch"), 6000)) << session->application().readAllStandardError().constData();
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
