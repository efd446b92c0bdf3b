#include "SyntheticRecording.h"

#include <algorithm>
#include <cmath>
#include <set>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

std::set<int32_t> identifiersOf(const DecodedFrame& frame)
{
    std::set<int32_t> identifiers;
    for (const auto& touch : frame.touches)
        identifiers.insert(touch.identifier);
    return identifiers;
}

SyntheticTouchpad& putDownFingers(SyntheticTouchpad& pad, int count)
{
    for (int finger = 0; finger < count; ++finger)
        pad.down(finger, 100 + finger, 100 + 200 * finger, 100);
    return pad.fingers(0, count).report();
}

}

TEST(TouchpadDecoderTest, everyOfFourOrFiveFingersIsOneTouchingRecordWithItsOwnIdentifier)
{
    for (int count : { 4, 5 }) {
        SyntheticTouchpad pad(5);
        putDownFingers(pad, count);
        auto frames = decodeAll(recordingOf(pad));
        ASSERT_EQ(frames.size(), 1u);
        ASSERT_EQ(frames[0].touches.size(), size_t(count));
        EXPECT_EQ(identifiersOf(frames[0]).size(), size_t(count));
        for (int finger = 0; finger < count; ++finger) {
            const MTTouch& touch = frames[0].touches[size_t(finger)];
            EXPECT_EQ(touch.state, MTTouchStateTouching);
            EXPECT_FLOAT_EQ(touch.x, (100 + 200 * finger) / 1000.0f);
            EXPECT_FLOAT_EQ(touch.y, 0.8f) << "y grows upward: device y 100 of 500 is near the top";
            EXPECT_EQ(touch.frame, 1);
        }
    }
}

TEST(TouchpadDecoderTest, fingerLiftingKeepsTheOthersAndOnlyTheLastLiftSendsAnEmptyFrame)
{
    SyntheticTouchpad pad(5);
    pad.event(3, 0x18, 0).report().event(1, 0x110, 1).report(); // an idle pad clicked: no frame
    putDownFingers(pad, 3);
    pad.at(0.01).lift(1).fingers(3, 2).report();
    pad.at(0.02).lift(0).lift(2).fingers(2, 0).report();
    pad.at(0.03).event(3, 0x18, 0).report(); // stray report with no finger on the pad
    auto frames = decodeAll(recordingOf(pad));
    ASSERT_EQ(frames.size(), 3u);
    auto before = identifiersOf(frames[0]);
    auto after = identifiersOf(frames[1]);
    EXPECT_EQ(after.size(), 2u);
    EXPECT_TRUE(std::includes(before.begin(), before.end(), after.begin(), after.end()));
    EXPECT_EQ(frames[0].number, 1);
    EXPECT_TRUE(frames[2].touches.empty());
    EXPECT_EQ(frames[2].number, 3);
    EXPECT_DOUBLE_EQ(frames[2].timestamp, 0.02);
}

TEST(TouchpadDecoderTest, resynchronisesAfterDroppedEventsInTheMiddleOfAGesture)
{
    SyntheticTouchpad pad(5);
    putDownFingers(pad, 3);
    // Half a packet, then the kernel's buffer overflowed; libevdev then reports the
    // differences: finger 1 lifted meanwhile, finger 2 moved, finger 0 was replaced.
    pad.at(0.01).slot(2).event(3, 0x35, 600).dropped();
    pad.at(0.05).slot(0).event(3, 0x39, 200).slot(1).event(3, 0x39, -1).slot(2).event(3, 0x35, 700);
    pad.fingers(3, 2).report();
    auto frames = decodeAll(recordingOf(pad));
    ASSERT_EQ(frames.size(), 2u) << "the half packet before the drop is no frame";
    ASSERT_EQ(frames[1].touches.size(), 2u);
    EXPECT_EQ(frames[1].number, 2);
    EXPECT_NE(frames[1].touches[0].identifier, frames[0].touches[0].identifier);
    EXPECT_EQ(frames[1].touches[1].identifier, frames[0].touches[2].identifier);
    EXPECT_FLOAT_EQ(frames[1].touches[1].x, 0.7f);
}

TEST(TouchpadDecoderTest, speedIsMeasuredPerFingerAndANewTrackingIdWithoutLiftInheritsNone)
{
    SyntheticTouchpad pad(2);
    pad.down(0, 7, 100, 100).fingers(0, 1).report();
    pad.at(0.01).slot(0).move(200, 100).report();
    pad.at(0.02).slot(0).event(3, 0x39, 8).move(600, 100).report();
    auto frames = decodeAll(recordingOf(pad));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_GT(frames[1].touches[0].velocityX, 1.0f);
    EXPECT_NE(frames[2].touches[0].identifier, frames[1].touches[0].identifier);
    EXPECT_EQ(frames[2].touches[0].velocityX, 0.0f) << "a jump between two fingers is no motion";

    SyntheticTouchpad resting(1);
    resting.down(0, 1, 500, 250).fingers(0, 1).report();
    for (int frame = 1; frame <= 60; ++frame)
        resting.at(frame * 0.007).slot(0).move(500 + frame % 2, 250 - frame % 2).report();
    auto still = decodeAll(recordingOf(resting)).back().touches[0];
    EXPECT_LT(std::abs(still.velocityX) + std::abs(still.velocityY), 0.06f);

    SyntheticTouchpad stroke(1);
    stroke.down(0, 1, 0, 250).fingers(0, 1).report();
    for (int frame = 1; frame <= 40; ++frame)
        stroke.at(frame * 0.01).slot(0).move(frame * 20, 250).report(); // 2 surface units a second
    auto moving = decodeAll(recordingOf(stroke)).back().touches[0];
    EXPECT_NEAR(moving.velocityX, 2.0f, 0.05f);
    EXPECT_NEAR(moving.velocityY, 0.0f, 0.01f);
}

TEST(TouchpadDecoderTest, twoSlotTouchpadCountingFourFingersGivesFourRecords)
{
    SyntheticTouchpad pad(2);
    pad.down(0, 1, 200, 100).down(1, 2, 400, 300).fingers(0, 4).report();
    pad.at(0.01).slot(0).move(210, 100).report();
    pad.at(0.02).fingers(4, 2).report();
    auto frames = decodeAll(recordingOf(pad));
    ASSERT_EQ(frames.size(), 3u);
    ASSERT_EQ(frames[0].touches.size(), 4u);
    EXPECT_EQ(identifiersOf(frames[0]).size(), 4u);
    EXPECT_EQ(identifiersOf(frames[0]), identifiersOf(frames[1])) << "the extra fingers keep their identifiers";
    for (size_t extra = 2; extra < 4; ++extra) {
        const MTTouch& touch = frames[1].touches[extra];
        EXPECT_FLOAT_EQ(touch.x, (frames[1].touches[0].x + frames[1].touches[1].x) / 2);
        EXPECT_FLOAT_EQ(touch.y, (frames[1].touches[0].y + frames[1].touches[1].y) / 2);
        EXPECT_EQ(touch.velocityX, 0.0f);
        EXPECT_EQ(touch.state, MTTouchStateTouching);
    }
    EXPECT_EQ(frames[2].touches.size(), 2u);
}

TEST(TouchpadDecoderTest, valuesOutsideTheDeclaredRangesAndArbitraryStreamsAreContained)
{
    SyntheticTouchpad pad(2);
    pad.down(0, 1, 1200, -40).fingers(0, 1).report();
    pad.at(0.01).slot(9).event(3, 0x39, 5).move(10, 10).slot(-3).move(10, 10).report();
    auto frames = decodeAll(recordingOf(pad));
    ASSERT_EQ(frames.size(), 2u);
    ASSERT_EQ(frames[1].touches.size(), 1u) << "events for slots the device lacks are ignored";
    EXPECT_EQ(frames[0].touches[0].x, 1.0f);
    EXPECT_EQ(frames[0].touches[0].y, 1.0f);

    // Arbitrary event streams never yield more records than fingers can be.
    TouchpadDescription description = recordingOf(SyntheticTouchpad(3)).description.value();
    // Corrupt ranges as wide as the type allows, for the slots and the orientation.
    description.axes[0x2f] = { INT32_MIN, INT32_MAX, 0 };
    description.axes[0x34] = { INT32_MIN, 0, 0 };
    TouchpadDecoder decoder(description);
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % uint32_t(range));
    };
    const uint16_t codes[] = { 0x2f, 0x39, 0x35, 0x36, 0x3a, 0x00, 0x01 };
    const uint16_t keys[] = { 0x145, 0x14d, 0x14e, 0x14f, 0x148, 0x14a };
    size_t largest = 0;
    for (int step = 0; step < 200000; ++step) {
        InputEvent event { step * 0.001, 3, codes[next(7)], next(200) - 100 };
        if (next(10) == 0)
            event = { step * 0.001, 1, keys[next(6)], next(2) };
        if (next(8) == 0)
            event = { step * 0.001, 0, uint16_t(next(4)), 0 };
        if (decoder.decode(event))
            largest = std::max(largest, decoder.touches().size());
    }
    EXPECT_GT(largest, 0u);
    EXPECT_LE(largest, size_t(TouchpadDecoder::maximumSlots));
}
