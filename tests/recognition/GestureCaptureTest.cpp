#include "recognition/GestureCapture.h"
#include "recognition/TouchFrames.h"

#include "base/ManualClock.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace std::chrono_literals;

namespace {

class GestureCaptureTest : public testing::Test {
protected:
    GestureCaptureTest()
    {
        capture.setViewSize(600, 400);
    }

    void startTouchpadCapture(CaptureMode mode = CaptureMode::Normal)
    {
        settings.multitouchOption = true;
        capture.startDetectingGesture(mode);
        clock.advanceBy(100ms);
    }

    void startMouseCapture()
    {
        settings.multitouchOption = false;
        capture.startDetectingGesture(CaptureMode::Normal);
    }

    void drawMouseStroke(double x)
    {
        capture.dealWithMouseEvent({ x, 100 }, MouseAction::Down);
        capture.dealWithMouseEvent({ x + 50, 150 }, MouseAction::Drag);
        capture.dealWithMouseEvent({ x + 100, 200 }, MouseAction::Up);
    }

    const std::vector<GestureStroke>& onlyRecognition() const
    {
        EXPECT_EQ(recognitions.size(), 1u);
        static const std::vector<GestureStroke> none;
        return recognitions.empty() ? none : recognitions.front();
    }

    std::vector<size_t> strokeLengths() const
    {
        std::vector<size_t> lengths;
        for (const GestureStroke& stroke : onlyRecognition())
            lengths.push_back(stroke.points().size());
        return lengths;
    }

    // Mouse events the user made that wait to be read, as on a busy machine; the capture
    // asks for them before a timer ends it.
    struct PendingEvent {
        ViewPoint position;
        MouseAction action;
        SteadyTime made;
    };
    void deliverPendingInput()
    {
        auto pending = std::exchange(unread, {});
        for (const auto& event : pending)
            capture.dealWithMouseEvent(event.position, event.action, event.made);
    }

    ManualClock clock;
    std::vector<PendingEvent> unread;
    CaptureSettings settings { true, false, 300 };
    std::vector<std::vector<GestureStroke>> recognitions;
    std::vector<std::vector<GestureStroke>> partials;
    std::vector<bool> frameRegistrations;
    int redraws = 0;
    GestureCapture capture { clock, clock, [this] { return settings; },
                             { [this](auto strokes) { recognitions.push_back(std::move(strokes)); },
                               [this](auto strokes) { partials.push_back(std::move(strokes)); },
                               [this] { ++redraws; },
                               [this](bool receive) { frameRegistrations.push_back(receive); },
                               [this] { deliverPendingInput(); } } };
};

}

TEST_F(GestureCaptureTest, withoutInputForOneAndAHalfSecondsFromTheStartGestureAsMadeTheCaptureEndsEmpty)
{
    settings.multitouchOption = false;
    capture.startDetectingGesture(CaptureMode::Normal);
    clock.advanceBy(1499ms);
    EXPECT_TRUE(recognitions.empty());
    clock.advanceBy(1ms);
    EXPECT_TRUE(onlyRecognition().empty());
    EXPECT_FALSE(capture.detectingInput());

    recognitions.clear();
    SteadyTime started = clock.now();
    clock.advanceBy(1s);
    capture.startDetectingGesture(CaptureMode::Normal, started);
    clock.advanceBy(499ms);
    EXPECT_TRUE(capture.detectingInput());
    capture.dealWithMouseEvent({ 10, 10 }, MouseAction::Down, started + 1501ms);
    EXPECT_TRUE(onlyRecognition().empty()) << "a first press made after the limit starts nothing";

    recognitions.clear();
    started = clock.now();
    clock.advanceBy(2s);
    capture.startDetectingGesture(CaptureMode::Normal, started);
    unread = { { { 10, 10 }, MouseAction::Down, started + 1400ms } };
    clock.advanceBy(0ms);
    EXPECT_TRUE(recognitions.empty()) << "read late, but made in time";
    EXPECT_TRUE(capture.detectingInput());
}

TEST_F(GestureCaptureTest, mouseStrokesEndAfterTheReadingDelayOrAtOnceAfterTheThird)
{
    startMouseCapture();
    drawMouseStroke(100);
    clock.advanceBy(299ms);
    drawMouseStroke(200);
    clock.advanceBy(299ms);
    EXPECT_TRUE(recognitions.empty());
    clock.advanceBy(1ms);
    EXPECT_EQ(strokeLengths(), (std::vector<size_t> { 3, 3 }));

    recognitions.clear();
    startMouseCapture();
    drawMouseStroke(100);
    drawMouseStroke(200);
    drawMouseStroke(300);
    EXPECT_EQ(strokeLengths(), (std::vector<size_t> { 3, 3, 3 }));
    EXPECT_EQ(onlyRecognition()[2].points()[0].strokeId(), 3);
}

// A busy machine reads input late, in bursts, and runs timers that fell due meanwhile
// beside it: each rule judges when the user acted.
TEST_F(GestureCaptureTest, mouseTimingRulesJudgeWhenEventsWereMadeNotWhenTheyWereRead)
{
    // A press made within the reading delay but still unread when the timer fires.
    startMouseCapture();
    drawMouseStroke(100);
    SteadyTime released = clock.now();
    unread = { { { 200, 100 }, MouseAction::Down, released + 250ms }, { { 250, 150 }, MouseAction::Drag, released + 260ms } };
    clock.advanceBy(300ms);
    EXPECT_TRUE(recognitions.empty()) << "the second stroke began in time";
    capture.dealWithMouseEvent({ 300, 200 }, MouseAction::Up, released + 270ms);
    clock.advanceBy(269ms);
    EXPECT_TRUE(recognitions.empty());
    clock.advanceBy(1ms);
    EXPECT_EQ(strokeLengths(), (std::vector<size_t> { 3, 3 })) << "the delay runs from the release as made";

    // A press made after the reading delay, read before its timer fired: the drawing had
    // ended, and the press is not part of it.
    recognitions.clear();
    startMouseCapture();
    drawMouseStroke(100);
    capture.dealWithMouseEvent({ 200, 100 }, MouseAction::Down, clock.now() + 301ms);
    EXPECT_EQ(strokeLengths(), (std::vector<size_t> { 3 }));
    EXPECT_FALSE(capture.detectingInput());

    // The same press handed over only when the timer asks for waiting input.
    recognitions.clear();
    startMouseCapture();
    drawMouseStroke(100);
    unread = { { { 200, 100 }, MouseAction::Down, clock.now() + 301ms } };
    clock.advanceBy(300ms);
    EXPECT_EQ(strokeLengths(), (std::vector<size_t> { 3 }));
    EXPECT_EQ(clock.pendingTimerCount(), 0u);
}

TEST_F(GestureCaptureTest, mousePointsAreThousandthsOfTheViewWithYUpwardAndNoneInAViewOfNoArea)
{
    startMouseCapture();
    capture.dealWithMouseEvent({ 0, 400 }, MouseAction::Down);
    capture.dealWithMouseEvent({ 150, 100 }, MouseAction::Drag);
    capture.dealWithMouseEvent({ 600, 0 }, MouseAction::Up);
    EXPECT_EQ(capture.paths().at(1), (std::vector<ViewPoint> { { 0, 400 }, { 150, 100 }, { 600, 0 } }));
    capture.finishDetectingGesture(CaptureEnding::KeepStrokes);
    EXPECT_EQ(onlyRecognition()[0].points(),
              (std::vector<GesturePoint> { { 0, 0, 1 }, { 250, 750, 1 }, { 1000, 1000, 1 } }));

    capture.setViewSize(0, 0);
    startMouseCapture();
    drawMouseStroke(10);
    capture.finishDetectingGesture(CaptureEnding::KeepStrokes);
    EXPECT_TRUE(recognitions.back().empty()) << "a view of no area takes no points";
}

TEST_F(GestureCaptureTest, touchpadFramesAreWantedFromATenthOfASecondOrAtOnceForQuickdraw)
{
    settings.multitouchOption = true;
    capture.startDetectingGesture(CaptureMode::Normal);
    clock.advanceBy(99ms);
    EXPECT_TRUE(frameRegistrations.empty());
    clock.advanceBy(1ms);
    EXPECT_EQ(frameRegistrations, (std::vector<bool> { true }));
    capture.finishDetectingGesture(CaptureEnding::DiscardStrokes);
    capture.startDetectingGesture(CaptureMode::Quickdraw);
    capture.finishDetectingGesture(CaptureEnding::DiscardStrokes);
    EXPECT_EQ(frameRegistrations, (std::vector<bool> { true, false, true, false }));
}

TEST_F(GestureCaptureTest, strokesStopAtThreeOrAtOneForQuickdraw)
{
    for (auto [mode, limit] : { std::pair { CaptureMode::Normal, 3u }, std::pair { CaptureMode::Quickdraw, 1u } }) {
        recognitions.clear();
        startTouchpadCapture(mode);
        capture.dealWithMultitouchEvent(fingersMoving(2, 0.5f));
        capture.dealWithMultitouchEvent(fingersMoving(4, 0.5f));
        capture.finishDetectingGesture(CaptureEnding::KeepStrokes);
        EXPECT_EQ(onlyRecognition().size(), limit);
        // The earliest fingers keep their strokes, each continued by its later frame.
        EXPECT_EQ(onlyRecognition()[0].points().size(), 2u);
    }
}

TEST_F(GestureCaptureTest, quickdrawFollowsTheMiddleFingerOrTheThirdWhenPositionsTie)
{
    struct Case {
        float xs[3];
        int32_t followed;
    };
    for (const Case& test : { Case { { 0.5f, 0.2f, 0.8f }, 1 }, Case { { 0.2f, 0.5f, 0.8f }, 2 },
                              Case { { 0.2f, 0.8f, 0.5f }, 3 }, Case { { 0.5f, 0.5f, 0.1f }, 3 } }) {
        recognitions.clear();
        startTouchpadCapture(CaptureMode::Quickdraw);
        TouchFrame frame = fingersMoving(3, 0.5f);
        for (size_t finger = 0; finger < 3; ++finger)
            frame.touches[finger].x = test.xs[finger];
        capture.dealWithMultitouchEvent(frame);
        capture.finishDetectingGesture(CaptureEnding::KeepStrokes);
        EXPECT_EQ(onlyRecognition()[0].points()[0].strokeId(), test.followed) << test.xs[0] << " " << test.xs[1];
    }
}

TEST_F(GestureCaptureTest, touchPointsAreThousandthsOfTheSurfaceFromTouchesFasterThanTheMinimumSpeed)
{
    startTouchpadCapture();
    TouchFrame frame { 1, { movingTouch(7, 0.25f, 0.75f) } };
    capture.dealWithMultitouchEvent(frame);
    EXPECT_EQ(capture.paths().at(7), (std::vector<ViewPoint> { { 150, 100 } }));
    EXPECT_DOUBLE_EQ(capture.lineWidth(), 600.0 / 95);
    capture.finishDetectingGesture(CaptureEnding::KeepStrokes);
    EXPECT_EQ(onlyRecognition()[0].points()[0], GesturePoint(250, 750, 7));

    recognitions.clear();
    startTouchpadCapture();
    frame = fingersMoving(3, 0);
    frame.touches[0].velX = 0.03f;
    frame.touches[0].velY = -0.03f;
    frame.touches[1].velX = 0.0601f;
    frame.touches[2].velY = -0.5f;
    frame.touches[2].state = 5;
    capture.dealWithMultitouchEvent(frame);
    capture.finishDetectingGesture(CaptureEnding::KeepStrokes);
    ASSERT_EQ(onlyRecognition().size(), 1u);
    EXPECT_EQ(onlyRecognition()[0].points()[0].strokeId(), 2);
}

TEST_F(GestureCaptureTest, liftingAllFingersEndsAfterTheReadingDelayUnlessOneReturns)
{
    startTouchpadCapture();
    capture.dealWithMultitouchEvent(fingersMoving(1, 0.5f));
    capture.dealWithMultitouchEvent(noFingers());
    clock.advanceBy(299ms);
    capture.dealWithMultitouchEvent(fingersMoving(1, 0.5f));
    capture.dealWithMultitouchEvent(noFingers());
    clock.advanceBy(299ms);
    EXPECT_TRUE(recognitions.empty());
    clock.advanceBy(1ms);
    EXPECT_EQ(strokeLengths(), (std::vector<size_t> { 2 }));
    EXPECT_EQ(frameRegistrations, (std::vector<bool> { true, false }));
}

TEST_F(GestureCaptureTest, aSecondTouchpadAddsNothingAndEndsTheCaptureOnItsOwn)
{
    startTouchpadCapture();
    capture.dealWithMultitouchEvent(fingersMoving(1, 0.5f, 1));
    for (int frame = 0; frame < 20; ++frame) {
        capture.dealWithMultitouchEvent(fingersMoving(2, 0.5f, 2));
        clock.advanceBy(10ms);
    }
    clock.advanceBy(100ms);
    EXPECT_EQ(strokeLengths(), (std::vector<size_t> { 1 }));
}

TEST_F(GestureCaptureTest, touchpadRedrawsAreThrottledByWindowSize)
{
    for (auto [fullscreen, interval] : { std::pair { false, 16ms }, std::pair { true, 32ms } }) {
        settings.fullscreenOption = fullscreen;
        startTouchpadCapture();
        redraws = 0;
        capture.dealWithMultitouchEvent(fingersMoving(1, 0.5f));
        EXPECT_EQ(redraws, 1);
        clock.advanceBy(interval);
        capture.dealWithMultitouchEvent(fingersMoving(1, 0.5f));
        EXPECT_EQ(redraws, 1);
        clock.advanceBy(1ms);
        capture.dealWithMultitouchEvent(fingersMoving(1, 0.5f));
        EXPECT_EQ(redraws, 2);
        capture.finishDetectingGesture(CaptureEnding::DiscardStrokes);
    }
}

TEST_F(GestureCaptureTest, escapeEndsTheCaptureAtOnceWithNothingToRecognise)
{
    startMouseCapture();
    drawMouseStroke(100);
    drawMouseStroke(200);
    capture.dealWithEscapeKey();
    EXPECT_TRUE(onlyRecognition().empty()) << "the drawn strokes must not be matched";
    EXPECT_FALSE(capture.detectingInput());
    clock.advanceBy(5s);
    capture.dealWithEscapeKey();
    capture.finishDetectingGesture(CaptureEnding::KeepStrokes);
    EXPECT_EQ(recognitions.size(), 1u) << "nothing of the ended capture fires, and an idle Escape or finish does nothing";

    // Pressed before the touchpad's frames are wanted, they never are. (Once they are,
    // Escape ends them as any end of the capture does.)
    recognitions.clear();
    settings.multitouchOption = true;
    capture.startDetectingGesture(CaptureMode::Normal);
    capture.dealWithEscapeKey();
    clock.advanceBy(5s);
    EXPECT_TRUE(frameRegistrations.empty());
    EXPECT_TRUE(onlyRecognition().empty());
}

TEST_F(GestureCaptureTest, partialChecksRunEveryQuarterSecondOnlyWhileStrokesExist)
{
    startMouseCapture();
    clock.advanceBy(250ms);
    EXPECT_TRUE(partials.empty());
    capture.dealWithMouseEvent({ 10, 10 }, MouseAction::Down);
    clock.advanceBy(750ms);
    EXPECT_EQ(partials.size(), 3u);
    capture.finishDetectingGesture(CaptureEnding::KeepStrokes);
    clock.advanceBy(1s);
    EXPECT_EQ(partials.size(), 3u);
}
