#include "support/QtTestApplication.h"
#include "X11TestEnvironment.h"

#include "platform/X11Compositor.h"
#include "platform/X11InputGrab.h"
#include "platform/X11StartupNotifier.h"
#include "platform/XInputSecondaryPresses.h"

#include <QTimer>
#include <QWindow>

#include <cstring>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// Another client of the server: the user's hand, or a compositing manager.
struct OtherClient {
    OtherClient() : display(XOpenDisplay(nullptr)) { }
    ~OtherClient() { XCloseDisplay(display); }
    void click(unsigned button)
    {
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
        XFlush(display);
    }
    Display* display;
};

}

TEST(XInputSecondaryPressesTest, reportsEachSecondaryPressOnceAndNothingElse)
{
    SKIP_WITHOUT_X_SERVER();
    XInputSecondaryPresses presses;
    std::vector<std::chrono::steady_clock::time_point> times;
    auto watching = presses.start([&](auto time) { times.push_back(time); });
    ASSERT_TRUE(watching) << watching.error();

    OtherClient hand;
    hand.click(1);
    hand.click(3);
    hand.click(2);
    hand.click(3);
    ASSERT_TRUE(processEventsUntil([&] { return times.size() >= 2; }));
    // Anything still queued (a second copy of a press) arrives with the next round trip.
    XSync(hand.display, False);
    processEventsUntil([] { return false; }, 100);
    ASSERT_EQ(times.size(), 2u);
    EXPECT_LE(times[0], times[1]);
    EXPECT_LT(times[1] - times[0], std::chrono::milliseconds(420)) << "a quick double press must look quick";
}

TEST(X11CompositorTest, followsTheCompositingManagersSelectionComingAndGoing)
{
    SKIP_WITHOUT_X_SERVER();
    auto compositor = X11Compositor::create();
    ASSERT_TRUE(compositor) << compositor.error();
    EXPECT_FALSE((*compositor)->isCompositing()) << "a bare Xvfb has no compositor";
    std::vector<bool> changes;
    QObject::connect(compositor->get(), &Compositor::compositingChanged, [&](bool on) { changes.push_back(on); });

    auto manager = std::make_unique<OtherClient>();
    Window window = XCreateSimpleWindow(manager->display, DefaultRootWindow(manager->display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(manager->display, XInternAtom(manager->display, "_NET_WM_CM_S0", False), window, CurrentTime);
    XFlush(manager->display);
    ASSERT_TRUE(processEventsUntil([&] { return (*compositor)->isCompositing(); }));

    // A compositing manager that crashes loses its selection with its connection.
    manager.reset();
    ASSERT_TRUE(processEventsUntil([&] { return !(*compositor)->isCompositing(); }));
    EXPECT_EQ(changes, (std::vector<bool> { true, false }));
}

TEST(X11InputGrabTest, aGrabHeldByAnotherClientIsWaitedForBrieflyThenReported)
{
    SKIP_WITHOUT_X_SERVER();
    QWindow window;
    window.setFlag(Qt::BypassWindowManagerHint);
    window.resize(100, 100);
    window.show();
    ASSERT_TRUE(processEventsUntil([&] { return window.isExposed(); }));
    OtherClient shortcutDaemon;
    Window root = DefaultRootWindow(shortcutDaemon.display);
    ASSERT_EQ(XGrabKeyboard(shortcutDaemon.display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
    XSync(shortcutDaemon.display, False);

    X11InputGrab grab;
    bool refused = false;
    QObject::connect(&grab, &X11InputGrab::grabRefused, [&] { refused = true; });
    grab.grab(&window);
    EXPECT_FALSE(grab.isHeld());
    QTimer::singleShot(X11InputGrab::retryIntervalMilliseconds * 2, [&] {
        XUngrabKeyboard(shortcutDaemon.display, CurrentTime);
        XSync(shortcutDaemon.display, False);
    });
    ASSERT_TRUE(processEventsUntil([&] { return grab.isHeld(); }, 1000));
    EXPECT_EQ(XGrabKeyboard(shortcutDaemon.display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime),
              AlreadyGrabbed) << "keys must go to the capture window only";
    grab.release();
    EXPECT_FALSE(refused);

    // A grab that is never given up ends the retries with a report.
    ASSERT_EQ(XGrabKeyboard(shortcutDaemon.display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
    XSync(shortcutDaemon.display, False);
    grab.grab(&window);
    ASSERT_TRUE(processEventsUntil([&] { return refused; }, 1000));
    EXPECT_FALSE(grab.isHeld());
    grab.release();
}

namespace {

// Reassembles the startup notification messages broadcast on the root window.
std::vector<std::string> startupMessages(Display* display)
{
    std::vector<std::string> messages;
    Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != ClientMessage || (event.xclient.message_type != begin && event.xclient.message_type != more))
            continue;
        if (event.xclient.message_type == begin)
            messages.emplace_back();
        messages.back().append(event.xclient.data.b, strnlen(event.xclient.data.b, 20));
    }
    return messages;
}

}

TEST(X11StartupNotifierTest, announcesOnlyWhenAskedAndTheIdCarriesTheServerTime)
{
    SKIP_WITHOUT_X_SERVER();
    OtherClient windowManager;
    XSelectInput(windowManager.display, DefaultRootWindow(windowManager.display), PropertyChangeMask);
    XSync(windowManager.display, False);

    X11StartupNotifier notifier;
    auto quiet = notifier.begin("plain", "Plain", false);
    auto id = notifier.begin("gedit", "Text \"Editor\"", true);
    ASSERT_TRUE(quiet && id);
    EXPECT_NE(*quiet, *id);
    EXPECT_NE(id->find("-gedit-"), std::string::npos);
    auto time = id->substr(id->find("_TIME") + 5);
    EXPECT_GT(std::stoul(time), 0u);
    notifier.cancel(*id);

    auto messages = startupMessages(windowManager.display);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "new: ID=\"" + *id + "\" NAME=\"Text \\\"Editor\\\"\" BIN=\"gedit\" SCREEN=0 TIMESTAMP=" + time);
    EXPECT_EQ(messages[1], "remove: ID=\"" + *id + "\"");
}
