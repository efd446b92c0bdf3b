#include "multitouch/SyntheticRecording.h"
#include "recognition/GestureCapture.h"
#include "recognition/StartPatternDetector.h"
#include "recognition/TouchFrameConversion.h"

#include <gtest/gtest.h>

#include <cmath>

// The start patterns fed the way the application feeds them: evemu events through the
// touchpad decoder, which times the frames and gives the fingers their speeds.

using namespace scriblo;
using namespace scriblo::testing;

namespace {

constexpr StartConditions quickdrawOn { false, true, false };

std::vector<TouchFrame> decode(const EvemuRecording& recording)
{
    std::vector<TouchFrame> frames;
    for (const DecodedFrame& decoded : decodeAll(recording)) {
        auto event = MultitouchEvent::fromRecords(1, decoded.touches.data(), int32_t(decoded.touches.size()),
                                                  decoded.timestamp, decoded.number);
        frames.push_back(touchFrameFromEvent(*event));
    }
    return frames;
}

// `fingers` fingers side by side from `down` for `length` seconds, one report every
// 1/rate seconds, each finger moving right at `speed` surface widths a second and
// wobbling by a device unit as resting fingers do.
EvemuRecording handOnPad(double rate, int fingers, double length, double speed)
{
    SyntheticTouchpad pad(5);
    const double down = 1.0;
    pad.at(down);
    for (int finger = 0; finger < fingers; ++finger)
        pad.down(finger, finger + 1, 200 + 100 * finger, 250);
    pad.fingers(0, fingers).report();
    int frames = int(std::ceil(length * rate));
    for (int frame = 1; frame < frames; ++frame) {
        double time = down + frame / rate;
        pad.at(time);
        for (int finger = 0; finger < fingers; ++finger)
            pad.slot(finger).move(int(200 + 100 * finger + speed * 1000 * (time - down)) + frame % 2, 250);
        pad.report();
    }
    pad.at(down + frames / rate);
    for (int finger = 0; finger < fingers; ++finger)
        pad.lift(finger);
    pad.fingers(fingers, 0).report();
    return recordingOf(pad);
}

StartPattern firstPattern(const std::vector<TouchFrame>& frames, const StartConditions& conditions = {})
{
    StartPatternDetector detector;
    for (const TouchFrame& frame : frames) {
        if (StartPattern pattern = detector.handleFrame(frame, conditions); pattern != StartPattern::None)
            return pattern;
    }
    return StartPattern::None;
}

}

// What the decoder's smoothed speeds must let through. What is refused for its length or
// its options alone (a resting hand, quickdraw off) the detectors' own tests check, with
// speeds set exactly.
class DecodedAtFrameRate : public ::testing::TestWithParam<double> { };

TEST_P(DecodedAtFrameRate, tapsAndQuickdrawStart)
{
    double rate = GetParam();
    for (double length : { 0.060, 0.200 })
        EXPECT_EQ(firstPattern(decode(handOnPad(rate, 4, length, 0))), StartPattern::FourFingerTap) << length;
    // A brisk three-finger stroke across half the pad in half a second.
    EXPECT_EQ(firstPattern(decode(handOnPad(rate, 3, 0.5, 1.0)), quickdrawOn), StartPattern::Quickdraw);
}

INSTANTIATE_TEST_SUITE_P(PadRates, DecodedAtFrameRate, ::testing::Values(45.0, 60.0, 90.0, 125.0, 140.0));

TEST(RecordedSpeedTest, aRecordedTapIsStillAndARecordedScrollDrawsAndWouldStartQuickdraw)
{
    SKIP_WITHOUT_RECORDINGS();
    auto tap = EvemuRecording::load(recordingPath("cypress-ps2-three-finger-tap.evemu"));
    ASSERT_TRUE(tap) << tap.error();
    for (const TouchFrame& frame : decode(tap.value())) {
        for (const FrameTouch& touch : frame.touches)
            EXPECT_LE(std::fabs(touch.velX) + std::fabs(touch.velY), GestureCapture::minimumTouchSpeed);
    }

    auto scroll = EvemuRecording::loadAll({ recordingPath("synaptics-ps2-hp8470p.evemu-desc"),
                                            recordingPath("synaptics-ps2-hp8470p-two-finger-scroll-horizontal.evemu-events") });
    ASSERT_TRUE(scroll) << scroll.error();
    auto frames = decode(scroll.value()[0]);
    size_t touches = 0, drawing = 0;
    double fastestEarlyMean = 0;
    for (const TouchFrame& frame : frames) {
        TouchSpeed speed;
        speed.addAll(frame.touches);
        for (const FrameTouch& touch : frame.touches) {
            ++touches;
            drawing += std::fabs(touch.velX) + std::fabs(touch.velY) > GestureCapture::minimumTouchSpeed;
        }
        if (!frame.touches.empty() && frame.timestamp - frames.front().timestamp <= QuickdrawDetector::lastJudged)
            fastestEarlyMean = std::max(fastestEarlyMean, double(speed.mean()));
    }
    EXPECT_GT(double(drawing) / double(touches), 0.9) << "a moving finger draws";
    EXPECT_GT(fastestEarlyMean, QuickdrawDetector::minimumMeanSpeed) << "and is fast enough for quickdraw early on";
    EXPECT_LT(FourFingerTapDetector::maximumMeanSpeed, fastestEarlyMean);
}
