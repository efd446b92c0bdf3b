#include "recognition/RecognitionEventFilter.h"
#include "recognition/ScrollBlocking.h"
#include "recognition/TouchFrames.h"
#include "recognition/TouchpadGrabRule.h"

#include "base/ManualClock.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace std::chrono_literals;

namespace {

constexpr InputEventDescription secondaryPress { InputEventKind::ButtonPress, MouseButton::Secondary, 0 };
constexpr FilterDecision passed { EventDisposition::PassOn, false };
constexpr FilterDecision swallowed { EventDisposition::Swallow, false };
constexpr FilterDecision passedAndStarts { EventDisposition::PassOn, true };

InputEventDescription scroll(int64_t count)
{
    return { InputEventKind::Scroll, MouseButton::None, count };
}

class MouseModeFilterTest : public testing::Test {
protected:
    FilterDecision pressAfter(SteadyDuration wait, bool windowVisible = false)
    {
        clock.advanceBy(wait);
        return filter.handleEvent(secondaryPress, { false, false, windowVisible, false });
    }

    ManualClock clock;
    RecognitionEventFilter filter { clock };
};

}

TEST_F(MouseModeFilterTest, twoSecondaryPressesUnder420MillisecondsStartAndAlwaysPassOn)
{
    pressAfter(5s);
    EXPECT_EQ(pressAfter(419ms), passedAndStarts);
    pressAfter(5s);
    EXPECT_EQ(pressAfter(420ms), passed);
}

TEST_F(MouseModeFilterTest, aPressWhileTheWindowShowsPassesAndDoesNotCount)
{
    pressAfter(5s);
    EXPECT_EQ(pressAfter(200ms), passedAndStarts);
    EXPECT_EQ(pressAfter(100ms, true), passed);
    // 500 ms after the last counted press; 400 ms after the uncounted one.
    EXPECT_EQ(pressAfter(400ms), passed);
}

TEST_F(MouseModeFilterTest, otherInputIsPassedOnAndNeverCounted)
{
    pressAfter(5s);
    for (InputEventDescription event : { InputEventDescription { InputEventKind::ButtonPress, MouseButton::Primary, 0 },
                                         InputEventDescription { InputEventKind::ButtonRelease, MouseButton::Secondary, 0 },
                                         scroll(3), InputEventDescription { InputEventKind::Key } })
        EXPECT_EQ(filter.handleEvent(event, { false, true, true, true }), passed);
    clock.advanceBy(100ms);
    EXPECT_EQ(filter.handleEvent(secondaryPress, {}), passedAndStarts);
}

TEST(TouchpadModeFilterTest, aCaptureSwallowsEveryKindOfInput)
{
    ManualClock clock;
    RecognitionEventFilter filter(clock);
    for (InputEventKind kind : { InputEventKind::Key, InputEventKind::ButtonPress, InputEventKind::ButtonRelease,
                                 InputEventKind::Motion, InputEventKind::Scroll, InputEventKind::Other }) {
        EXPECT_EQ(filter.handleEvent({ kind, MouseButton::Secondary, 1 }, { true, true, true, true }), swallowed);
        EXPECT_EQ(filter.handleEvent({ kind, MouseButton::Secondary, 1 }, { true, false, false, false }), passed);
    }
}

TEST(TouchpadModeFilterTest, scrollingIsHeldBackUntilOneSecondAfterTheRecognition)
{
    ManualClock clock;
    RecognitionEventFilter filter(clock);
    ScrollBlocking blocking(clock, nullptr);
    auto decide = [&](int64_t count, bool windowVisible) {
        return filter.handleEvent(scroll(count), { true, false, windowVisible, blocking.blockingScrollEvents() });
    };
    blocking.recognitionStarted();
    EXPECT_EQ(decide(0, true), swallowed);
    blocking.recognitionFinished();
    EXPECT_EQ(decide(0, false), passed);
    EXPECT_EQ(decide(1, false), swallowed);
    clock.advanceBy(999ms);
    EXPECT_EQ(decide(1, false), swallowed);
    clock.advanceBy(1ms);
    EXPECT_EQ(decide(1, false), passed);
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

TEST_F(TouchpadGrabRuleTest, aCaptureEndedWithFingersUpReleasesAtOnce)
{
    rule.captureStarted();
    rule.handleFrame(noFingers());
    rule.captureEnded();
    EXPECT_EQ(changes, (std::vector<bool> { true, false }));
}

TEST_F(TouchpadGrabRuleTest, fingersStillDownKeepTheGrabUntilEveryPadIsClear)
{
    rule.captureStarted();
    rule.handleFrame(fingersMoving(2, 0.5f, 1));
    rule.handleFrame(fingersMoving(1, 0, 2));
    rule.captureEnded();
    rule.handleFrame(noFingers(1));
    EXPECT_TRUE(rule.grabbed());
    rule.handleFrame(noFingers(2));
    EXPECT_FALSE(rule.grabbed());
    EXPECT_EQ(changes, (std::vector<bool> { true, false }));
}

TEST_F(TouchpadGrabRuleTest, theEndOfScrollBlockingReleasesEvenWithFingersDown)
{
    rule.captureStarted();
    rule.handleFrame(fingersMoving(3, 0));
    rule.scrollBlockingEnded();
    EXPECT_TRUE(rule.grabbed());
    rule.captureEnded();
    EXPECT_TRUE(rule.grabbed());
    rule.scrollBlockingEnded();
    EXPECT_FALSE(rule.grabbed());
}

TEST_F(TouchpadGrabRuleTest, framesOutsideACaptureNeverGrab)
{
    rule.handleFrame(fingersMoving(4, 0));
    rule.handleFrame(noFingers());
    rule.scrollBlockingEnded();
    EXPECT_TRUE(changes.empty());
}
