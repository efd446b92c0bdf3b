#include "recognition/StartPatternDetector.h"
#include "recognition/TouchFrames.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace scriblo;

namespace {

constexpr StartConditions hidden {};
constexpr StartConditions quickdrawOn { false, true, false };

StartPattern feed(StartPatternDetector& detector, const TouchFrame& frame, int times,
                  const StartConditions& conditions = hidden)
{
    StartPattern last = StartPattern::None;
    for (int index = 0; index < times; ++index) {
        StartPattern pattern = detector.handleFrame(frame, conditions);
        if (pattern != StartPattern::None)
            last = pattern;
    }
    return last;
}

// A run whose mean speed is exactly `mean`: one touch carries all of it, so the float
// total holds 16 times the mean without rounding.
TouchFrame fourFingersWithMean(float mean, bool carrier)
{
    TouchFrame frame = fingersMoving(4, 0);
    if (carrier)
        frame.touches[0].velX = mean * 16;
    return frame;
}

}

class FourFingerRunLength : public testing::TestWithParam<std::pair<int, bool>> { };

TEST_P(FourFingerRunLength, startsOnlyForFourToThirtyFrames)
{
    auto [frames, starts] = GetParam();
    StartPatternDetector detector;
    feed(detector, fingersMoving(4, 0.1f), frames);
    StartPattern expected = starts ? StartPattern::FourFingerTap : StartPattern::None;
    EXPECT_EQ(detector.handleFrame(noFingers(), hidden), expected);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, FourFingerRunLength,
                         testing::Values(std::pair { 3, false }, std::pair { 4, true }, std::pair { 30, true },
                                         std::pair { 31, false }, std::pair { 5000, false }));

TEST(FourFingerTapTest, meanSpeedIsComparedWidenedToDouble)
{
    // 0.46f lies just above 0.46, so it must not start; the float below it must.
    float below = std::nextafter(0.46f, 0.0f);
    for (auto [mean, starts] : { std::pair { below, true }, std::pair { 0.46f, false } }) {
        StartPatternDetector detector;
        detector.handleFrame(fourFingersWithMean(mean, true), hidden);
        feed(detector, fourFingersWithMean(mean, false), 3);
        EXPECT_EQ(detector.handleFrame(noFingers(), hidden) == StartPattern::FourFingerTap, starts) << mean;
    }
}

TEST(FourFingerTapTest, aRunGrownFromThreeOrShrunkFromFiveFingersIsNoTap)
{
    struct Case {
        std::vector<int> before;
        bool starts;
    };
    for (const Case& test : { Case { { 3, 3, 3 }, false }, Case { { 5, 5, 5 }, false }, Case { { 0, 3, 3 }, true },
                              Case { { 5, 3, 5 }, true }, Case { { 1, 2, 3 }, true } }) {
        StartPatternDetector detector;
        for (int count : test.before)
            detector.handleFrame(fingersMoving(count, 0), hidden);
        feed(detector, fingersMoving(4, 0), 4);
        EXPECT_EQ(detector.handleFrame(noFingers(), hidden) == StartPattern::FourFingerTap, test.starts)
            << test.before[0] << test.before[1] << test.before[2];
    }
}

TEST(FourFingerTapTest, aRunEndsTheSameWayByLiftingByAFifthFingerOrByThree)
{
    for (int endingCount : { 0, 3, 5 }) {
        StartPatternDetector detector;
        feed(detector, fingersMoving(4, 0.2f), 6);
        EXPECT_EQ(detector.handleFrame(fingersMoving(endingCount, 0), hidden), StartPattern::FourFingerTap) << endingCount;
    }
}

TEST(FourFingerTapTest, historyStandsStillWhileTheWindowIsVisible)
{
    StartPatternDetector detector;
    feed(detector, fingersMoving(4, 0), 4);
    StartConditions visible { true, false, false };
    feed(detector, noFingers(), 3, visible);
    EXPECT_EQ(detector.handleFrame(noFingers(), hidden), StartPattern::FourFingerTap);
}

class QuickdrawFrame : public testing::TestWithParam<std::pair<int, bool>> { };

TEST_P(QuickdrawFrame, judgesOnlyTheSixthToFiftiethThreeFingerFrame)
{
    auto [frame, starts] = GetParam();
    StartPatternDetector detector;
    feed(detector, fingersMoving(3, 0.01f), frame - 1, quickdrawOn);
    StartPattern expected = starts ? StartPattern::Quickdraw : StartPattern::None;
    EXPECT_EQ(detector.handleFrame(fingersMoving(3, 0.5f), quickdrawOn), expected);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, QuickdrawFrame,
                         testing::Values(std::pair { 5, false }, std::pair { 6, true }, std::pair { 50, true },
                                         std::pair { 51, false }));

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
        StartPatternDetector detector;
        feed(detector, fingersMoving(3, 0), 5, quickdrawOn);
        TouchFrame frame = fingersMoving(3, 0);
        for (int finger = 0; finger < 3; ++finger)
            frame.touches[size_t(finger)].velY = test.speeds[finger];
        EXPECT_EQ(detector.handleFrame(frame, quickdrawOn) == StartPattern::Quickdraw, test.starts)
            << test.speeds[0] << " " << test.speeds[1] << " " << test.speeds[2];
    }
}

TEST(QuickdrawTest, offOrUnderTheSetupWindowNothingStartsButTapsStill)
{
    StartConditions off {};
    StartConditions setupVisible { false, true, true };
    for (const StartConditions& conditions : { off, setupVisible }) {
        StartPatternDetector detector;
        EXPECT_EQ(feed(detector, fingersMoving(3, 0.5f), 20, conditions), StartPattern::None);
        EXPECT_EQ(detector.threeFingerTouchCount(), 0);
        detector.handleFrame(noFingers(), conditions);
        feed(detector, fingersMoving(4, 0), 5, conditions);
        EXPECT_EQ(detector.handleFrame(noFingers(), conditions), StartPattern::FourFingerTap);
    }
}
