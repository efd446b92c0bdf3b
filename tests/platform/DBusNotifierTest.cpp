#include "FakeNotificationService.h"
#include "PrivateSessionBus.h"
#include "support/QtTestApplication.h"

#include "platform/DBusNotifier.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

class DBusNotifierTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        if (bus.address().isEmpty())
            GTEST_SKIP() << "dbus-daemon could not start a private bus";
    }
    // The server and the client use separate connections, as separate processes would.
    QDBusConnection connect(const QString& name) { return QDBusConnection::connectToBus(bus.address(), name); }

    PrivateSessionBus bus;
    std::ostringstream fallback;
};

}

TEST_F(DBusNotifierTest, aNoticeReachesTheNotificationServerAndNothingElse)
{
    FakeNotificationService server(connect(QStringLiteral("server")));
    DBusNotifier notifier(connect(QStringLiteral("client")), fallback);
    notifier.notify(QStringLiteral("Gesture removed"), QStringLiteral("Its target is gone."));
    ASSERT_TRUE(processEventsUntil([&] { return !server.notices.empty(); }));
    EXPECT_EQ(server.notices[0].appName, "Scriblo");
    EXPECT_EQ(server.notices[0].summary, "Gesture removed");
    EXPECT_EQ(server.notices[0].body, "Its target is gone.");
    EXPECT_EQ(server.notices[0].hints.value(QStringLiteral("desktop-entry")).toString(), "org.scriblo.Scriblo");
    processEventsUntil([] { return false; }, 100);
    EXPECT_EQ(fallback.str(), "");
}

// Without a notification server (a bare window manager, a session without a bus) the
// notice must still leave a trace.
TEST_F(DBusNotifierTest, whereNoServerAnswersTheNoticeBecomesOneLine)
{
    DBusNotifier notifier(connect(QStringLiteral("lonely")), fallback);
    notifier.notify(QStringLiteral("Gesture removed"), QStringLiteral("Its target\nis gone."));
    ASSERT_TRUE(processEventsUntil([&] { return !fallback.str().empty(); }));
    EXPECT_EQ(fallback.str(), "scriblo: Gesture removed: Its target is gone.\n");

    std::ostringstream noBus;
    DBusNotifier disconnected(QDBusConnection(QStringLiteral("never connected")), noBus);
    disconnected.notify(QStringLiteral("Gesture removed"), QStringLiteral("Gone."));
    EXPECT_EQ(noBus.str(), "scriblo: Gesture removed: Gone.\n");
}
