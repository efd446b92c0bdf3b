#include "recognition/DoubleSecondaryPressDetector.h"
#include "recognition/ScrollBlocking.h"
#include "recognition/TouchFrames.h"
#include "recognition/TouchpadGrabRule.h"

#include "base/ManualClock.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace std::chrono_literals;

namespace {

class SecondaryPressTest : public testing::Test {
protected:
    bool pressAfter(SteadyDuration wait, bool windowVisible = false)
    {
        made += wait;
        return presses.handlePress(made, windowVisible);
    }

    SteadyTime made { std::chrono::hours(1) };
    DoubleSecondaryPressDetector presses;
};

}

TEST_F(SecondaryPressTest, twoSecondaryPressesUnder420MillisecondsStartAndOneWhileTheWindowShowsDoesNotCount)
{
    EXPECT_FALSE(pressAfter(0ms)) << "the first press of all has nothing before it";
    EXPECT_FALSE(pressAfter(420ms));
    EXPECT_TRUE(pressAfter(200ms)) << "slow, then quick: the last two presses count";

    pressAfter(5s);
    EXPECT_TRUE(pressAfter(419ms));
    EXPECT_FALSE(pressAfter(100ms, true)) << "the window shows";
    // 500 ms after the last counted press; 400 ms after the uncounted one.
    EXPECT_FALSE(pressAfter(400ms));
}

TEST(ScrollBlockingTest, aNewRecognitionKeepsBlockingPastTheEarlierOnesSecond)
{
    ManualClock clock;
    int ended = 0;
    ScrollBlocking blocking(clock, [&] { ++ended; });
    blocking.recognitionStarted();
    blocking.recognitionFinished();
    clock.advanceBy(500ms);
    blocking.recognitionStarted();
    clock.advanceBy(2s);
    EXPECT_TRUE(blocking.blockingScrollEvents());
    EXPECT_EQ(ended, 0);
    blocking.recognitionFinished();
    clock.advanceBy(1s);
    EXPECT_FALSE(blocking.blockingScrollEvents());
    EXPECT_EQ(ended, 1);
}

class TouchpadGrabRuleTest : public testing::Test {
protected:
    std::vector<bool> changes;
    TouchpadGrabRule rule { [this](bool grabbed) { changes.push_back(grabbed); } };
};

TEST_F(TouchpadGrabRuleTest, aCaptureEndedWithFingersUpReleasesAtOnceOtherwiseWhenEveryPadIsClear)
{
    rule.captureStarted();
    rule.handleFrame(noFingers());
    rule.captureEnded();
    EXPECT_EQ(changes, (std::vector<bool> { true, false }));

    rule.captureStarted();
    rule.handleFrame(fingersMoving(2, 0.5f, 1));
    rule.handleFrame(fingersMoving(1, 0, 2));
    rule.captureEnded();
    rule.handleFrame(noFingers(1));
    EXPECT_TRUE(rule.grabbed());
    rule.handleFrame(noFingers(2));
    EXPECT_FALSE(rule.grabbed());
    EXPECT_EQ(changes, (std::vector<bool> { true, false, true, false }));
}

TEST_F(TouchpadGrabRuleTest, framesOutsideACaptureNeverGrabAndTheEndOfScrollBlockingReleasesEvenWithFingersDown)
{
    rule.handleFrame(fingersMoving(4, 0));
    rule.handleFrame(noFingers());
    rule.scrollBlockingEnded();
    EXPECT_TRUE(changes.empty());

    rule.captureStarted();
    rule.handleFrame(fingersMoving(3, 0));
    rule.scrollBlockingEnded();
    EXPECT_TRUE(rule.grabbed()) << "the capture still runs";
    rule.captureEnded();
    EXPECT_TRUE(rule.grabbed());
    rule.scrollBlockingEnded();
    EXPECT_FALSE(rule.grabbed());
}
