#include "recognition/PointerWhereabouts.h"
#include "recognition/TouchFrames.h"

#include <gtest/gtest.h>

using namespace scriblo;
using Source = PointerWhereabouts::Source;

namespace {

// An X server whose pointer the test places, counting how often it is asked.
struct XPointer {
    GeometryPoint position { 100, 100 };
    int reads = 0;
    std::function<GeometryPoint()> reader()
    {
        return [this] {
            ++reads;
            return position;
        };
    }
};

// One finger moving the pointer for `seconds`, a frame every 10 ms from `start`; X
// follows it when `xFollows`.
void movePointer(PointerWhereabouts& whereabouts, XPointer& x, double start, double seconds, bool xFollows)
{
    for (double time = start; time < start + seconds; time += 0.01) {
        TouchFrame frame = fingersMoving(1, 0.5f);
        frame.timestamp = time;
        if (xFollows)
            x.position.x += 3;
        whereabouts.handleFrame(frame, x.reader());
    }
    whereabouts.handleFrame(noFingers(), x.reader());
}

}

TEST(PointerWhereaboutsTest, onX11TheXPointerIsAlwaysCurrentAndNeverSampled)
{
    PointerWhereabouts whereabouts(true);
    XPointer x;
    movePointer(whereabouts, x, 0, 1, false);
    EXPECT_EQ(x.reads, 0);
    auto answer = whereabouts.locate({ 5, 6 });
    EXPECT_EQ(answer.source, Source::XPointer);
    EXPECT_EQ(answer.position.x, 5);
}

TEST(PointerWhereaboutsTest, throughXWaylandItTakesTheBestSourceTheTouchpadHasShown)
{
    PointerWhereabouts whereabouts(false);
    XPointer x;
    EXPECT_EQ(whereabouts.locate(x.position).source, Source::PrimaryScreen) << "X has shown nothing yet";
    // Nor has it after a brief motion that X did not follow, or still fingers.
    movePointer(whereabouts, x, 0, 0.1, false);
    TouchFrame resting = fingersMoving(1, 0);
    resting.timestamp = 0.5;
    whereabouts.handleFrame(resting, x.reader());
    EXPECT_EQ(whereabouts.locate(x.position).source, Source::PrimaryScreen);

    x.reads = 0;
    movePointer(whereabouts, x, 1, 0.5, true);
    EXPECT_LE(x.reads, 7) << "read every tenth of a second, not every frame";
    EXPECT_EQ(whereabouts.locate(x.position).source, Source::XPointer) << "X followed the finger";

    // The pointer goes over a native window: X keeps its last position.
    GeometryPoint lastSeen = x.position;
    movePointer(whereabouts, x, 2, 0.5, false);
    auto answer = whereabouts.locate(x.position);
    EXPECT_EQ(answer.source, Source::LastTouchpadMotion);
    EXPECT_EQ(answer.position.x, lastSeen.x);

    // Back over X windows, with a mouse this time: X moved since it was last read.
    x.position = { 900, 50 };
    EXPECT_EQ(whereabouts.locate(x.position).source, Source::XPointer);
}
