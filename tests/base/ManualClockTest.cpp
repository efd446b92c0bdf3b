#include "base/ManualClock.h"
#include "base/ScheduledTimer.h"

#include <gtest/gtest.h>

#include <string>

using namespace scriblo;
using namespace std::chrono_literals;

// The state machines' tests trust this clock to fire timers as a real event loop would.
TEST(ManualClockTest, firesDueTimersAndThoseTheyScheduleInDeadlineOrderWithTheClockAtEachDeadline)
{
    ManualClock clock;
    SteadyTime start = clock.now();
    std::string order;
    std::vector<SteadyDuration> firedAt;
    auto record = [&](char name) {
        return [&, name] {
            order += name;
            firedAt.push_back(clock.now() - start);
        };
    };
    clock.scheduleOnce(30ms, record('c'));
    clock.scheduleOnce(10ms, record('a'));
    clock.scheduleOnce(10ms, record('b'));
    clock.scheduleOnce(31ms, record('x'));
    clock.advanceBy(30ms);
    EXPECT_EQ(order, "abc");
    EXPECT_EQ(firedAt, (std::vector<SteadyDuration> { 10ms, 10ms, 30ms }));
    EXPECT_EQ(clock.now() - start, 30ms);

    // Timers scheduled by timers run within the same advance.
    int fired = 0;
    clock.scheduleOnce(10ms, [&] { clock.scheduleOnce(10ms, [&] { ++fired; }); });
    clock.advanceBy(19ms);
    EXPECT_EQ(fired, 0);
    clock.advanceBy(1ms);
    EXPECT_EQ(fired, 1);
}

TEST(ScheduledTimerTest, isUnarmedWhenItsActionRunsAndCancelledWhenReplacedOrDestroyed)
{
    ManualClock clock;
    ScheduledTimer timer(clock);
    int fired = 0;
    std::function<void()> again = [&] {
        EXPECT_FALSE(timer.isArmed());
        if (++fired < 2)
            timer.startOnce(5ms, again);
    };
    timer.startOnce(5ms, again);
    EXPECT_TRUE(timer.isArmed());
    clock.advanceBy(20ms);
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(timer.isArmed());

    // Replacing or destroying a timer cancels its pending action.
    int first = 0, second = 0;
    {
        ScheduledTimer replaced(clock);
        replaced.startOnce(5ms, [&] { ++first; });
        replaced.startOnce(5ms, [&] { ++second; });
        clock.advanceBy(5ms);
        replaced.startOnce(5ms, [&] { ++second; });
    }
    clock.advanceBy(10ms);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}
