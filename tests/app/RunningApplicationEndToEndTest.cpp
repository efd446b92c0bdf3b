#include "app/demo/DemoSamples.h"
#include "multitouch/SyntheticTouchpad.h"
#include "app/demo/DesktopHand.h"
#include "support/DesktopSessionTest.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cmath>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::SyntheticTouchpad;
using scriblo::DemoSamples::zigzag;
using namespace scriblo::testing;

namespace {

// The real program while other programs and the user change what it depends on: its
// store, the touchpad's stream of frames at quit.
class RunningApplicationEndToEndTest : public DesktopSessionTest {
protected:
    static void SetUpTestSuite() { startDesktop(QStringLiteral("800x600x24")); }
    static void TearDownTestSuite() { stopDesktop(); }

    QString store() const { return session->homePath(QStringLiteral(".config/scriblo/org.scriblo.Scriblo.plist")); }

    // Opens the window with two secondary presses; where it shows.
    static std::optional<ScreenRect> openWindow(DesktopHand& hand)
    {
        hand.moveTo(400, 300);
        hand.clickTwice(3, std::chrono::milliseconds(150));
        std::optional<ScreenRect> window;
        processEventsUntil([&] { return (window = hand.overrideRedirectWindow()).has_value(); }, 15000);
        return window;
    }

    void drawZigzag()
    {
        DesktopHand hand;
        ASSERT_TRUE(hand.connected());
        auto window = openWindow(hand);
        ASSERT_TRUE(window) << "two secondary presses must open the window";
        hand.trace(*window, zigzag(), [] { QThread::msleep(8); });
        hand.release(1);
    }

    // The store is taken in some time after it changes, longer on a loaded machine or
    // under the sanitizers: a drawing that came too early launches nothing, so draw again.
    bool drawZigzagUntilRan(const QString& script)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            QThread::msleep(300);
            drawZigzag();
            if (session->scriptRan(script, 5000))
                return true;
        }
        return false;
    }

    // Whether the window's top-left pixel, outside its rounded corner, shows the desktop
    // (translucent; xcompmgr paints a bare desktop mid-grey) or the near-black background
    // (opaque). Read once the window's middle is painted dark: until then a compositor
    // shows the desktop where the window will be.
    static bool cornerShowsDesktop(DesktopHand& hand, const ScreenRect& window)
    {
        auto blue = [&](int x, int y) {
            auto pixels = hand.picture({ x, y, 1, 1 });
            return pixels.empty() ? 0ul : pixels[0] & 0xff;
        };
        processEventsUntil([&] { return blue(window.x + window.width / 2, window.y + window.height / 2) < 0x60; }, 15000);
        QThread::msleep(300);
        return blue(window.x, window.y) > 0x60;
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

TEST_F(RunningApplicationEndToEndTest, takesInAStoreWrittenInPlaceAndOneInASettingsFolderMadeAgain)
{
    ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                                    QStringLiteral("false") }), 0);
    session->startApplication();

    // As `cat > FILE` would: the gesture is bound in a copy, whose bytes then overwrite
    // the store in place.
    QString copy = session->homePath(QStringLiteral("copy.plist"));
    ASSERT_TRUE(QFile::copy(store(), copy));
    session->importGesture(session->makeScript(QStringLiteral("inplace")), zigzag(), copy);
    QFile copied(copy);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    QFile overwritten(store());
    ASSERT_TRUE(overwritten.open(QIODevice::WriteOnly | QIODevice::Truncate));
    overwritten.write(copied.readAll());
    overwritten.close();
    EXPECT_TRUE(drawZigzagUntilRan(QStringLiteral("inplace"))) << session->application().readAllStandardError().constData();

    ASSERT_TRUE(QDir(session->homePath(QStringLiteral(".config/scriblo"))).removeRecursively());
    QThread::msleep(500);
    session->importGesture(session->makeScript(QStringLiteral("again")), zigzag());
    ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                                    QStringLiteral("false") }), 0);
    EXPECT_TRUE(drawZigzagUntilRan(QStringLiteral("again"))) << session->application().readAllStandardError().constData();
}

TEST_F(RunningApplicationEndToEndTest, quitsEveryTimeWhileTouchpadFramesPourIn)
{
    std::string recording = session->homePath(QStringLiteral("continuous.evemu")).toStdString();
    std::ofstream(recording) << continuousTouchpadRecording();
    session->environment().insert(QStringLiteral("SCRIBLO_TOUCHPAD_REPLAY"), QString::fromStdString(recording));
    ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                                    QStringLiteral("true") }), 0);
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

TEST_F(RunningApplicationEndToEndTest, followsACompositorThatStartsAndStopsAfterIt)
{
    ASSERT_EQ(session->runCommand({ QStringLiteral("settings"), QStringLiteral("set"), QStringLiteral("multitouchOption"),
                                    QStringLiteral("false") }), 0);
    session->startApplication();
    DesktopHand hand;
    ASSERT_TRUE(hand.connected());

    QProcess compositor;
    compositor.start(QStringLiteral("xcompmgr"), {});
    ASSERT_TRUE(compositor.waitForStarted()) << "xcompmgr is installed by scripts/install-deps.sh";
    QThread::msleep(1000);
    auto window = openWindow(hand);
    ASSERT_TRUE(window);
    EXPECT_TRUE(cornerShowsDesktop(hand, *window)) << "a compositor started after Scriblo must make the window translucent";
    // Escape puts the window away at once, well before the capture's 1.5 s without input.
    hand.chord({ "Escape" });
    EXPECT_TRUE(processEventsUntil([&] { return !hand.overrideRedirectWindow(); }, 5000));

    compositor.terminate();
    ASSERT_TRUE(compositor.waitForFinished());
    QThread::msleep(1000);
    window = openWindow(hand);
    ASSERT_TRUE(window);
    EXPECT_FALSE(cornerShowsDesktop(hand, *window)) << "without the compositor the window must be opaque";
}
