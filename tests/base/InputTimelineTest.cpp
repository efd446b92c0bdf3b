#include "base/InputTimeline.h"
#include "base/ManualClock.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace std::chrono_literals;

TEST(InputTimelineTest, eventsReadLateKeepTheirDistanceAndTheQuickestReadSetsTheOffset)
{
    ManualClock clock;
    InputTimeline timeline(clock);
    SteadyTime first = timeline.steadyTime(10'000);
    EXPECT_EQ(first, clock.now());
    // Made 200 ms later, read 700 ms later.
    clock.advanceBy(700ms);
    EXPECT_EQ(timeline.steadyTime(10'200) - first, 200ms);
    // Read with less delay than the first: the first was late too, and the offset moves.
    clock.advanceBy(50ms);
    EXPECT_EQ(timeline.steadyTime(10'750), clock.now());
    EXPECT_EQ(timeline.steadyTime(10'700), clock.now() - 50ms) << "an event a moment older moves back";
}

TEST(InputTimelineTest, theServerClockWrapsAndAClockThatJumpsStartsTheTimelineAgain)
{
    ManualClock clock;
    InputTimeline timeline(clock);
    SteadyTime beforeWrap = timeline.steadyTime(0xFFFF'FF00u);
    clock.advanceBy(512ms);
    EXPECT_EQ(timeline.steadyTime(0x100u) - beforeWrap, 512ms);
    // A server started again: its clock is far behind, and would put every event an
    // hour in the past.
    clock.advanceBy(10ms);
    timeline.steadyTime(3'600'000);
    clock.advanceBy(10ms);
    EXPECT_EQ(timeline.steadyTime(5), clock.now());
}
