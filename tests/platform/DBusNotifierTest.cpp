#include "FakeNotificationService.h"
#include "PrivateBusTest.h"

#include "platform/DBusNotifier.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

class DBusNotifierTest : public PrivateBusTest<> {
protected:
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
