#pragma once

#include "app/demo/DemoSamples.h"
#include "app/demo/DesktopHand.h"
#include "platform/PrivateSessionBus.h"
#include "platform/ScreenRect.h"
#include "platform/XvfbServer.h"
#include "support/QtTestApplication.h"
#include "support/ScribloSession.h"

#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace scriblo::testing {

// A test of the real program on a desktop of the suite's own: an X server and a session
// bus made once per suite, and a fresh throw-away home for each test.
class DesktopSessionTest : public ::testing::Test {
protected:
    // The screen the setup suites lay their windows out on.
    static constexpr ScreenRect screen { 0, 0, 1024, 768 };

    static void startDesktop(const QString& screenSize)
    {
        ensureCoreApplication();
        server = new XvfbServer(screenSize);
        bus = new PrivateSessionBus;
    }
    static void stopDesktop()
    {
        delete bus;
        delete server;
        bus = nullptr;
        server = nullptr;
    }
    static bool desktopRunning() { return !server->display().isEmpty() && !bus->address().isEmpty(); }

    void SetUp() override
    {
        if (server->display().isEmpty())
            GTEST_SKIP() << "Xvfb could not start; install the xvfb package to run the end-to-end tests";
        if (bus->address().isEmpty())
            GTEST_SKIP() << "dbus-daemon could not start a private session bus";
        session = std::make_unique<ScribloSession>(server->display(), bus->address());
        ASSERT_TRUE(session->valid());
    }

    void TearDown() override
    {
        if (session)
            session->stopApplication();
    }

    // Two presses of the secondary button at (x, y), as a mouse user starts a drawing;
    // where the recognition window shows, once it does.
    static std::optional<ScreenRect> openRecognitionWindow(DesktopHand& hand, int x, int y,
                                                           std::chrono::milliseconds gap = std::chrono::milliseconds(150))
    {
        hand.moveTo(x, y);
        hand.clickTwice(3, gap);
        std::optional<ScreenRect> window;
        processEventsUntil([&] { return (window = hand.overrideRedirectWindow()).has_value(); }, 15000);
        return window;
    }

    // Draws `shape` in the recognition window with the left button, a point every 8 ms.
    static void drawIn(DesktopHand& hand, const ScreenRect& window, const DemoSamples::Shape& shape)
    {
        hand.trace(window, shape, [] { QThread::msleep(8); });
        hand.release(1);
    }

    static inline XvfbServer* server = nullptr;
    static inline PrivateSessionBus* bus = nullptr;
    std::unique_ptr<ScribloSession> session;
};

}
