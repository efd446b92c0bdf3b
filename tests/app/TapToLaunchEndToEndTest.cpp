#include "app/demo/DemoSamples.h"
#include "multitouch/SyntheticTouchpad.h"
#include "platform/PrivateBusTest.h"
#include "support/BusyCores.h"
#include "support/HeadlessCompositor.h"
#include "support/ScribloSession.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

// The real program in each kind of session, the touchpad replayed from a recording: a
// plain X server under openbox, and headless Wayland compositors with XWayland. Their
// window managers treat the override-redirect window each their own way (weston's takes
// X focus back at once), so each gets the same two recognitions in a row, while every
// core is busy, as a user's machine often is.

using scriblo::SyntheticTouchpad;
using namespace scriblo::testing;
using Kind = HeadlessCompositor::Kind;

class TapToLaunchEndToEndTest : public PrivateBusTest<testing::TestWithParam<Kind>> {
protected:
    void SetUp() override
    {
        PrivateBusTest::SetUp();
        if (IsSkipped())
            return;
        compositor = std::make_unique<HeadlessCompositor>(GetParam(), bus.address());
        if (!compositor->failure().isEmpty())
            GTEST_SKIP() << "no session to test in: " << compositor->failure().toStdString();
        session = std::make_unique<ScribloSession>(compositor->xDisplay(), bus.address());
        ASSERT_TRUE(session->valid());
        auto& environment = session->environment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), compositor->runtimeDirectory());
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), compositor->wayland() ? QStringLiteral("wayland")
                                                                                      : QStringLiteral("x11"));
        if (compositor->wayland())
            environment.insert(QStringLiteral("WAYLAND_DISPLAY"), compositor->waylandDisplay());
        if (QString key = compositor->xAuthority(); !key.isEmpty())
            environment.insert(QStringLiteral("XAUTHORITY"), key);
    }

    void TearDown() override
    {
        if (session)
            session->stopApplication();
        session.reset();
        compositor.reset();
        PrivateBusTest::TearDown();
    }

    std::unique_ptr<HeadlessCompositor> compositor;
    std::unique_ptr<ScribloSession> session;
};

TEST_P(TapToLaunchEndToEndTest, replayedTapsAndDrawingsLaunchTheirScriptsOneAfterTheOther)
{
    using namespace scriblo::DemoSamples;
    session->importGesture(session->makeScript(QStringLiteral("first")), zigzag());
    session->importGesture(session->makeScript(QStringLiteral("second")), vee());
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("true")), 0);
    SyntheticTouchpad pad(5);
    pad.at(0).report();
    // A tap two seconds in, once the program listens; the second once the first
    // window has gone.
    pad.fourFingerTap(2.0);
    double lifted = pad.drawStroke(zigzag(), 2.4, 0.012);
    pad.fourFingerTap(lifted + 2.0);
    pad.drawStroke(vee(), lifted + 2.4, 0.012);
    std::string recording = session->homePath(QStringLiteral("taps.evemu")).toStdString();
    std::ofstream(recording) << pad.text();
    session->environment().insert(QStringLiteral("SCRIBLO_TOUCHPAD_REPLAY"), QString::fromStdString(recording));

    BusyCores busy;
    session->startApplication();
    EXPECT_TRUE(session->scriptRan(QStringLiteral("first")))
        << compositor->name().toStdString() << ": " << session->application().readAllStandardError().constData();
    EXPECT_TRUE(session->scriptRan(QStringLiteral("second")))
        << compositor->name().toStdString() << ": " << session->application().readAllStandardError().constData();
}

INSTANTIATE_TEST_SUITE_P(Sessions, TapToLaunchEndToEndTest, testing::Values(Kind::X11, Kind::Weston, Kind::Mutter),
                         [](const testing::TestParamInfo<Kind>& info) {
                             return HeadlessCompositor::kindName(info.param).toStdString();
                         });
