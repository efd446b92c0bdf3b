#include "platform/QtTimerService.h"

#include "support/QtTestApplication.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::testing;
using namespace std::chrono_literals;

TEST(QtTimerServiceTest, firesOnceRepeatsHonoursCancellationAndAnOldHandleNeverReachesANewTimer)
{
    ensureCoreApplication();
    QtTimerService timers;
    int once = 0, repeated = 0, cancelled = 0;
    TimerHandle fired = timers.scheduleOnce(1ms, [&] { ++once; });
    TimerHandle repeating = timers.scheduleRepeating(2ms, [&] { ++repeated; });
    TimerHandle dropped = timers.scheduleOnce(1ms, [&] { ++cancelled; });
    timers.cancel(dropped);
    processEventsUntil([] { return false; }, 30);
    timers.cancel(repeating);
    int repeatedBeforeCancel = repeated;
    // Qt hands out the ids of finished timers again; an old handle must not reach the new one.
    int later = 0;
    timers.scheduleOnce(1ms, [&] { ++later; });
    for (TimerHandle old : { fired, repeating, dropped })
        timers.cancel(old);
    processEventsUntil([] { return false; }, 10);
    EXPECT_EQ(once, 1);
    EXPECT_GE(repeatedBeforeCancel, 2);
    EXPECT_EQ(repeated, repeatedBeforeCancel);
    EXPECT_EQ(cancelled, 0);
    EXPECT_EQ(later, 1) << "a handle of a timer gone cancelled the new one";
}
