#include "recognition/StartPatternDetector.h"
#include "recognition/TouchFrames.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace scriblo;

namespace {

constexpr StartConditions hidden {};
constexpr StartConditions quickdrawOn { false, true, false };

// A run whose mean speed is exactly `mean`: one touch carries all of it, so the float
// total holds 16 times the mean without rounding.
TouchFrame fourFingersWithMean(float mean, bool carrier)
{
    TouchFrame frame = fingersMoving(4, 0);
    if (carrier)
        frame.touches[0].velX = mean * 16;
    return frame;
}

// Frames of `fingers` fingers moving at `speed`, `times` over.
struct Frames {
    int fingers;
    float speed;
    int times;
    StartConditions conditions {};
};

}

TEST(StartPatternDetectorTest, whatASequenceOfFramesStarts)
{
    constexpr StartConditions visible { true, false, false };
    const Frames lift { 0, 0, 1 };
    const struct {
        const char* what;
        std::vector<Frames> frames;
        StartPattern expected;
    } cases[] = {
        { "3 frames of four fingers", { { 4, 0.1f, 3 }, lift }, StartPattern::None },
        { "4 frames", { { 4, 0.1f, 4 }, lift }, StartPattern::FourFingerTap },
        { "30 frames", { { 4, 0.1f, 30 }, lift }, StartPattern::FourFingerTap },
        { "31 frames", { { 4, 0.1f, 31 }, lift }, StartPattern::None },
        { "5000 frames", { { 4, 0.1f, 5000 }, lift }, StartPattern::None },
        { "grown from three", { { 3, 0, 3 }, { 4, 0, 4 }, lift }, StartPattern::None },
        { "shrunk from five", { { 5, 0, 3 }, { 4, 0, 4 }, lift }, StartPattern::None },
        { "three after a lift", { lift, { 3, 0, 2 }, { 4, 0, 4 }, lift }, StartPattern::FourFingerTap },
        { "five, three, five", { { 5, 0, 1 }, { 3, 0, 1 }, { 5, 0, 1 }, { 4, 0, 4 }, lift }, StartPattern::FourFingerTap },
        { "one, two, three", { { 1, 0, 1 }, { 2, 0, 1 }, { 3, 0, 1 }, { 4, 0, 4 }, lift }, StartPattern::FourFingerTap },
        { "ended by a fifth finger", { { 4, 0.2f, 6 }, { 5, 0, 1 } }, StartPattern::FourFingerTap },
        { "ended by three", { { 4, 0.2f, 6 }, { 3, 0, 1 } }, StartPattern::FourFingerTap },
        { "history stands still while the window is visible", { { 4, 0, 4 }, { 0, 0, 3, visible }, lift },
          StartPattern::FourFingerTap },
        // Quickdraw judges only the sixth to fiftieth three-finger frame.
        { "quick fingers at the 5th frame", { { 3, 0.01f, 4, quickdrawOn }, { 3, 0.5f, 1, quickdrawOn } }, StartPattern::None },
        { "at the 6th", { { 3, 0.01f, 5, quickdrawOn }, { 3, 0.5f, 1, quickdrawOn } }, StartPattern::Quickdraw },
        { "at the 50th", { { 3, 0.01f, 49, quickdrawOn }, { 3, 0.5f, 1, quickdrawOn } }, StartPattern::Quickdraw },
        { "at the 51st", { { 3, 0.01f, 50, quickdrawOn }, { 3, 0.5f, 1, quickdrawOn } }, StartPattern::None },
    };
    for (const auto& test : cases) {
        PadAtRate pad;
        StartPattern last = StartPattern::None;
        for (const auto& frames : test.frames)
            last = pad.feed(fingersMoving(frames.fingers, frames.speed), frames.times, frames.conditions);
        EXPECT_EQ(last, test.expected) << test.what;
    }
}

TEST(FourFingerTapTest, meanSpeedIsComparedWidenedToDouble)
{
    // 0.46f lies just above 0.46, so it must not start; the float below it must.
    float below = std::nextafter(0.46f, 0.0f);
    for (auto [mean, starts] : { std::pair { below, true }, std::pair { 0.46f, false } }) {
        PadAtRate pad;
        pad.handle(fourFingersWithMean(mean, true), hidden);
        pad.feed(fourFingersWithMean(mean, false), 3);
        EXPECT_EQ(pad.handle(noFingers(), hidden) == StartPattern::FourFingerTap, starts) << mean;
    }
}

TEST(QuickdrawTest, needsFingersMovingFastAndTogether)
{
    struct Case {
        float speeds[3];
        bool starts;
    };
    // Mean at least 0.3, and the middle speed at most 1.5 times the slowest.
    for (const Case& test : { Case { { 0.31f, 0.31f, 0.31f }, true }, Case { { 0.29f, 0.29f, 0.29f }, false },
                              Case { { 0.4f, 0.6f, 2.0f }, true }, Case { { 0.4f, 0.61f, 2.0f }, false },
                              Case { { 0.0f, 0.6f, 0.6f }, false }, Case { { 0.0f, 0.0f, 0.9f }, false } }) {
        PadAtRate pad;
        pad.feed(fingersMoving(3, 0), 5, quickdrawOn);
        TouchFrame frame = fingersMoving(3, 0);
        for (int finger = 0; finger < 3; ++finger)
            frame.touches[size_t(finger)].velY = test.speeds[finger];
        EXPECT_EQ(pad.handle(frame, quickdrawOn) == StartPattern::Quickdraw, test.starts)
            << test.speeds[0] << " " << test.speeds[1] << " " << test.speeds[2];
    }
}

TEST(QuickdrawTest, offOrUnderTheSetupWindowNothingStartsButTapsStill)
{
    StartConditions off {};
    StartConditions setupVisible { false, true, true };
    for (const StartConditions& conditions : { off, setupVisible }) {
        PadAtRate pad;
        EXPECT_EQ(pad.feed(fingersMoving(3, 0.5f), 20, conditions), StartPattern::None);
        EXPECT_EQ(pad.detector.followingThreeFingerContact(), false);
        pad.handle(noFingers(), conditions);
        pad.feed(fingersMoving(4, 0), 5, conditions);
        EXPECT_EQ(pad.handle(noFingers(), conditions), StartPattern::FourFingerTap);
    }
}

namespace {

// From the slowest PS/2 pads to fast I2C ones.
const double padRates[] = { 45, 60, 90, 125, 140 };

// Feeds `pad` up to and including its first frame after the fingers lift: `fingers`
// touches moving at `speed` from `down` to `up`, none before.
StartPattern hold(PadAtRate& pad, int fingers, float speed, double down, double up,
                  const StartConditions& conditions = {})
{
    StartPattern last = StartPattern::None;
    for (;;) {
        double time = pad.nextTime();
        bool touching = time >= down && time < up;
        StartPattern pattern = pad.handle(touching ? fingersMoving(fingers, speed) : noFingers(), conditions);
        if (pattern != StartPattern::None)
            last = pattern;
        if (time >= up)
            return last;
    }
}

}

class StartsAtFrameRate : public testing::TestWithParam<double> { };

TEST_P(StartsAtFrameRate, aTapOf60To200MillisecondsStartsWhereverTheFramesFall)
{
    double rate = GetParam();
    for (double length : { 0.060, 0.100, 0.200 }) {
        // The fingers land just after a frame, midway, or just before one.
        for (double phase : { 0.001, 0.5, 0.999 }) {
            PadAtRate pad(rate);
            pad.handle(noFingers());
            double down = pad.nextTime() - phase / rate;
            EXPECT_EQ(hold(pad, 4, 0.1f, down, down + length), StartPattern::FourFingerTap)
                << rate << " frames a second, " << length * 1000 << " ms, phase " << phase;
        }
    }
}

TEST_P(StartsAtFrameRate, fourStillFingersFor450MillisecondsAreARestingHand)
{
    double rate = GetParam();
    for (double phase : { 0.001, 0.5, 0.999 }) {
        PadAtRate pad(rate);
        pad.handle(noFingers());
        double down = pad.nextTime() - phase / rate;
        EXPECT_EQ(hold(pad, 4, 0, down, down + 0.450), StartPattern::None) << rate << " frames a second, phase " << phase;
    }
}

INSTANTIATE_TEST_SUITE_P(PadRates, StartsAtFrameRate, testing::ValuesIn(padRates));

TEST(QuickdrawAtFrameRateTest, isJudgedOverTheSameSpanOnASlowAndAFastPad)
{
    for (double rate : { 45.0, 140.0 }) {
        PadAtRate pad(rate);
        double touched = pad.nextTime();
        double started = 0;
        while (started == 0 && pad.nextTime() < touched + 1) {
            double time = pad.nextTime();
            if (pad.handle(fingersMoving(3, 0.5f), quickdrawOn) == StartPattern::Quickdraw)
                started = time - touched;
        }
        // The 6th frame at the nominal rate: 111 ms into the contact on the slow pad
        // by count, 36 ms on the fast one.
        EXPECT_GE(started, QuickdrawDetector::firstJudged) << rate;
        EXPECT_LT(started, QuickdrawDetector::firstJudged + 1 / rate) << rate;

        // Fingers that speed up only after the judged span start nothing.
        PadAtRate late(rate);
        touched = late.nextTime();
        StartPattern seen = StartPattern::None;
        while (late.nextTime() < touched + 1) {
            float speed = late.nextTime() - touched > QuickdrawDetector::lastJudged ? 0.9f : 0.1f;
            if (StartPattern pattern = late.handle(fingersMoving(3, speed), quickdrawOn); pattern != StartPattern::None)
                seen = pattern;
        }
        EXPECT_EQ(seen, StartPattern::None) << rate;
    }
}
