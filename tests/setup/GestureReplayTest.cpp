#include "base/ManualClock.h"
#include "setup/GestureReplay.h"

#include <gtest/gtest.h>

using namespace scriblo;

namespace {

GestureStroke strokeOf(int points, int32_t strokeId, float y = 500)
{
    GestureStroke stroke;
    for (int index = 0; index < points; ++index)
        stroke.addPoint({ float(index * 100), y, strokeId });
    return stroke;
}

struct Recorder {
    ManualClock clock;
    ReplayPaths paths;
    int redraws = 0;
    std::vector<SteadyTime> wakeUps;
    std::function<bool()> shouldStop = [] { return false; };
    // How late each sleep wakes up, as a busy machine makes it.
    SteadyDuration lateness {};

    GestureReplay::Hooks hooks()
    {
        return { [this] { return shouldStop(); }, [this] { ++redraws; },
                 [this](SteadyTime due) {
                     clock.advanceBy(due - clock.now() + lateness);
                     wakeUps.push_back(clock.now());
                     return true;
                 } };
    }
};

}

TEST(GestureReplayTest, growsAllStrokesTogetherFromTheirSecondPointScaledToTheViewAndEndsWhenNoneHasMoreOrWhenCancelled)
{
    Recorder recorder;
    Gesture gesture("id", { strokeOf(5, 1, 200), strokeOf(3, 2, 800) });
    int32_t ended = GestureReplay::run(gesture, 1000, 1000, recorder.clock, recorder.paths, recorder.hooks());
    EXPECT_EQ(ended, 4);
    auto paths = recorder.paths.snapshot();
    ASSERT_EQ(paths.size(), 2u);
    // Points 1 to 4 of the first stroke, 1 and 2 of the second; y turned to the view's downward axis.
    EXPECT_EQ(paths[0], (std::vector<ViewPoint> { { 100, 800 }, { 200, 800 }, { 300, 800 }, { 400, 800 } }));
    EXPECT_EQ(paths[1], (std::vector<ViewPoint> { { 100, 200 }, { 200, 200 } }));
    // Steps 0, 2 and 4 ask for a redraw, and the end once more so the last point shows.
    EXPECT_EQ(recorder.redraws, 4);

    // Thousandths are scaled to the view, with the top right corner at the top.
    Recorder scaled;
    GestureStroke stroke;
    stroke.addPoint({ 0, 0, 1 });
    stroke.addPoint({ 1000, 1000, 1 });
    EXPECT_EQ(GestureReplay::run(Gesture("id", { stroke }), 300, 200, scaled.clock, scaled.paths, scaled.hooks()), 1);
    EXPECT_EQ(scaled.paths.snapshot()[0], (std::vector<ViewPoint> { { 300, 0 } }));

    // A cancelled replay stops at its next step, and a one-point stroke draws nothing.
    Recorder cancelled;
    int steps = 0;
    cancelled.shouldStop = [&steps] { return ++steps > 3; };
    EXPECT_EQ(GestureReplay::run(Gesture("id", { strokeOf(50, 1) }), 100, 100, cancelled.clock, cancelled.paths,
                                 cancelled.hooks()),
              3);
    EXPECT_EQ(cancelled.paths.snapshot()[0].size(), 3u);
    Recorder single;
    EXPECT_EQ(GestureReplay::run(Gesture("id", { strokeOf(1, 1) }), 100, 100, single.clock, single.paths, single.hooks()), 0);
    EXPECT_TRUE(single.paths.snapshot().empty());
}

TEST(GestureReplayTest, stepsEverySixMillisecondsWithoutDriftOverAThreeHundredPointStroke)
{
    Recorder recorder;
    recorder.lateness = std::chrono::microseconds(900);
    SteadyTime start = recorder.clock.now();
    int32_t ended = GestureReplay::run(Gesture("id", { strokeOf(300, 1) }), 500, 500, recorder.clock, recorder.paths,
                                       recorder.hooks());
    EXPECT_EQ(ended, 299);
    ASSERT_EQ(recorder.wakeUps.size(), 299u);
    // Every wake-up is due on the 6 ms grid from the start, however late the last one was.
    for (size_t step = 0; step < recorder.wakeUps.size(); ++step)
        EXPECT_EQ(recorder.wakeUps[step] - start, std::chrono::milliseconds(6) * int(step + 1) + recorder.lateness)
            << "step " << step;
}
