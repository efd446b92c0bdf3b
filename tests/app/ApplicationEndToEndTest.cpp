#include "app/demo/DemoSamples.h"
#include "app/demo/DesktopHand.h"
#include "multitouch/SyntheticTouchpad.h"
#include "platform/FakeNotificationService.h"
#include "platform/X11Compositor.h"
#include "support/BusyCores.h"
#include "support/DesktopSessionTest.h"

#include <QDir>
#include <QProcess>
#include <QThread>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::SyntheticTouchpad;
using scriblo::X11Compositor;
using scriblo::DemoSamples::zigzag;
using namespace scriblo::testing;

namespace {

// Two monitors side by side on one X screen, the right one smaller and not at the top
// of the desktop's bounding box, so "the pointer's screen" is never the first by luck.
const ScreenRect leftMonitor { 0, 0, 800, 600 };
const ScreenRect rightMonitor { 800, 0, 640, 480 };

// The real program on a desktop of two monitors, while other programs and the user
// change what it depends on: its store, the compositor, the touchpad's stream of frames.
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

    // The store is taken in some time after it changes, longer on a loaded machine or
    // under the sanitizers: a drawing that came too early launches nothing, so draw again.
    bool drawZigzagUntilRan(const QString& script)
    {
        DesktopHand hand;
        EXPECT_TRUE(hand.connected());
        for (int attempt = 0; attempt < 5; ++attempt) {
            QThread::msleep(300);
            auto window = openRecognitionWindow(hand, 400, 300);
            EXPECT_TRUE(window) << "two secondary presses must open the window";
            if (!window)
                return false;
            drawIn(hand, *window, zigzag());
            if (session->scriptRan(script, 5000))
                return true;
        }
        return false;
    }

    // Whether the window's top-left pixel, outside its rounded corner, comes to show the
    // desktop (translucent; xcompmgr paints a bare desktop mid-grey) rather than the
    // near-black background (opaque). Read once the window's middle is painted dark:
    // until then a compositor shows the desktop where the window will be.
    static bool cornerShowsDesktop(DesktopHand& hand, const ScreenRect& window)
    {
        auto blue = [&](int x, int y) {
            auto pixels = hand.picture({ x, y, 1, 1 });
            return pixels.empty() ? 0ul : pixels[0] & 0xff;
        };
        return processEventsUntil([&] { return blue(window.x + window.width / 2, window.y + window.height / 2) < 0x60; }, 15000)
            && processEventsUntil([&] { return blue(window.x, window.y) > 0x60; }, 5000);
    }
};

// A finger circling the pad without pause, a frame every fifth of a millisecond, with a
// four-finger tap now and then so that captures start and end as well.
std::string continuousTouchpadRecording()
{
    SyntheticTouchpad pad(5);
    pad.at(0).report();
    std::vector<SyntheticTouchpad::Point> circle;
    for (int step = 0; step < 1500; ++step) {
        double angle = step * 2 * M_PI / 250;
        circle.emplace_back(500 + 300 * std::cos(angle), 500 + 300 * std::sin(angle));
    }
    double time = 0.05;
    for (int round = 0; round < 6; ++round) {
        pad.fourFingerTap(time);
        time = pad.drawStroke(circle, time + 0.15, 0.0002) + 0.01;
    }
    return pad.text();
}

}

// A user's machine is often busy: a build, a video, a browser pegging a core. The start
// and the drawing must work as they do on an idle one, judged by when the user pressed,
// not by when the program got round to reading it. The window opens on the screen that
// holds the pointer, never the first by luck.
TEST_F(ApplicationEndToEndTest, mouseModeOpensOnThePointersScreenAndLaunchesWhileEveryCoreIsBusy)
{
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("false")), 0);
    session->importGesture(session->makeScript(QStringLiteral("busy")), zigzag());
    session->startApplication();
    BusyCores busy;

    DesktopHand hand;
    ASSERT_TRUE(hand.connected());
    for (const ScreenRect& monitor : { rightMonitor, leftMonitor, leftMonitor }) {
        auto window = openRecognitionWindow(hand, monitor.x + 200, monitor.y + 150, std::chrono::milliseconds(200));
        ASSERT_TRUE(window) << "a double press must open the window";
        EXPECT_TRUE(monitor.contains(*window)) << window->x << "," << window->y << " " << window->width << "x" << window->height;
        drawIn(hand, *window, zigzag());
        EXPECT_TRUE(session->scriptRan(QStringLiteral("busy"))) << session->application().readAllStandardError().constData();
        session->forgetScriptRan(QStringLiteral("busy"));
        ASSERT_TRUE(processEventsUntil([&] { return !hand.overrideRedirectWindow(); }, 15000));
    }
}

// Nothing is deleted behind the user's back: a gesture whose script was deleted goes
// from the store only into the file that an import takes back, and the desktop's
// notification service hears of it. The notice comes only once the gesture is kept and
// gone from the store (GoneGestureRemovalTest), and what the file keeps an import brings
// back (RemovedGesturesFileTest); here the running program ties them to the real file.
TEST_F(ApplicationEndToEndTest, aGestureWhoseScriptWasDeletedIsKeptAndTheUserNotified)
{
    FakeNotificationService notifications(QDBusConnection::connectToBus(bus->address(), QStringLiteral("notifications")));
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("false")), 0);
    std::string script = session->makeScript(QStringLiteral("deleted"));
    session->importGesture(script, zigzag());
    std::filesystem::remove(script);
    session->startApplication();

    DesktopHand hand;
    ASSERT_TRUE(hand.connected());
    auto window = openRecognitionWindow(hand, leftMonitor.x + 400, leftMonitor.y + 300);
    ASSERT_TRUE(window);
    drawIn(hand, *window, zigzag());
    ASSERT_TRUE(processEventsUntil([&] { return !notifications.notices.empty(); }, 20000))
        << session->application().readAllStandardError().constData();
    QString kept = session->homePath(QStringLiteral(".local/share/Scriblo/removed-gestures.json"));
    EXPECT_TRUE(notifications.notices[0].body.contains(kept)) << notifications.notices[0].body.toStdString();
}

// A store written in place is the watcher's to notice (FileChangeWatcherTest); here the
// whole program follows a store whose folder another program removes and makes again.
TEST_F(ApplicationEndToEndTest, takesInAStoreInASettingsFolderMadeAgain)
{
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("false")), 0);
    session->startApplication();

    ASSERT_TRUE(QDir(session->homePath(QStringLiteral(".config/scriblo"))).removeRecursively());
    // Nothing the program shows says it saw the folder go; without the pause the folder
    // is back before the watcher re-arms, and its climb to the folder above goes untried.
    QThread::msleep(500);
    session->importGesture(session->makeScript(QStringLiteral("again")), zigzag());
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("false")), 0);
    EXPECT_TRUE(drawZigzagUntilRan(QStringLiteral("again"))) << session->application().readAllStandardError().constData();
}

TEST_F(ApplicationEndToEndTest, quitsEveryTimeWhileTouchpadFramesPourIn)
{
    std::string recording = session->homePath(QStringLiteral("continuous.evemu")).toStdString();
    std::ofstream(recording) << continuousTouchpadRecording();
    session->environment().insert(QStringLiteral("SCRIBLO_TOUCHPAD_REPLAY"), QString::fromStdString(recording));
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("true")), 0);
    std::mt19937 random(16);
    for (int quit = 0; quit < 20; ++quit) {
        session->startApplication();
        QThread::msleep(std::uniform_int_distribution(0, 400)(random));
        session->application().terminate();
        // A hung quit fails here, and the process is killed rather than left to hang ctest.
        if (!session->application().waitForFinished(5000)) {
            session->application().kill();
            session->application().waitForFinished();
            FAIL() << "quit " << quit + 1 << " of 20 hung";
        }
        EXPECT_EQ(session->application().exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(session->application().exitCode(), 0) << session->application().readAllStandardError().constData();
    }
}

// The compositor going away again is X11CompositorTest's and the recognition controller's
// to follow: without one, a translucent window's corner reads as dark as an opaque one's.
TEST_F(ApplicationEndToEndTest, followsACompositorThatStartsAfterIt)
{
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("false")), 0);
    session->startApplication();
    DesktopHand hand;
    ASSERT_TRUE(hand.connected());

    QProcess compositor;
    compositor.start(QStringLiteral("xcompmgr"), {});
    ASSERT_TRUE(compositor.waitForStarted()) << "xcompmgr is installed by scripts/install-deps.sh";
    // The program hears of the compositor when it takes its selection, as this test does.
    auto selection = X11Compositor::create();
    ASSERT_TRUE(selection) << selection.error();
    ASSERT_TRUE(processEventsUntil([&] { return selection.value()->isCompositing(); }, 15000));
    auto window = openRecognitionWindow(hand, 400, 300);
    ASSERT_TRUE(window);
    EXPECT_TRUE(cornerShowsDesktop(hand, *window)) << "a compositor started after Scriblo must make the window translucent";
    // Escape puts the window away at once, well before the capture's 1.5 s without input.
    hand.chord({ "Escape" });
    EXPECT_TRUE(processEventsUntil([&] { return !hand.overrideRedirectWindow(); }, 5000));
}
