#include "platform/QtTimerService.h"

#include "support/QtTestApplication.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::testing;
using namespace std::chrono_literals;

TEST(QtTimerServiceTest, firesOnceRepeatsAndHonoursCancellation)
{
    ensureCoreApplication();
    QtTimerService timers;
    int once = 0, repeated = 0, cancelled = 0;
    timers.scheduleOnce(1ms, [&] { ++once; });
    TimerHandle repeating = timers.scheduleRepeating(2ms, [&] { ++repeated; });
    timers.cancel(timers.scheduleOnce(1ms, [&] { ++cancelled; }));
    processEventsUntil([] { return false; }, 30);
    timers.cancel(repeating);
    int repeatedBeforeCancel = repeated;
    processEventsUntil([] { return false; }, 10);
    EXPECT_EQ(once, 1);
    EXPECT_GE(repeatedBeforeCancel, 2);
    EXPECT_EQ(repeated, repeatedBeforeCancel);
    EXPECT_EQ(cancelled, 0);
}

// Qt hands out the id of a finished timer again; an old handle must not reach the new one.
TEST(QtTimerServiceTest, aFiredHandleDoesNotCancelALaterTimer)
{
    ensureCoreApplication();
    QtTimerService timers;
    TimerHandle first = timers.scheduleOnce(0ms, [] { });
    processEventsUntil([] { return false; }, 5);
    int fired = 0;
    timers.scheduleOnce(1ms, [&] { ++fired; });
    timers.cancel(first);
    processEventsUntil([] { return false; }, 10);
    EXPECT_EQ(fired, 1);
}
