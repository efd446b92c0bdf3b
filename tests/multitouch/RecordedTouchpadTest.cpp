#include "SyntheticRecording.h"

using namespace scriblo;
using namespace scriblo::testing;

TEST(RecordedTouchpadTest, semiMultitouchThreeFingerTapOnTwoSlotsGivesThreeTouchesThenLift)
{
    SKIP_WITHOUT_RECORDINGS();
    auto recording = EvemuRecording::load(recordingPath("cypress-ps2-three-finger-tap.evemu"));
    ASSERT_TRUE(recording) << recording.error();
    const auto& description = *recording.value().description;
    EXPECT_TRUE(description.isTouchpad());
    EXPECT_TRUE(description.isSemiMultitouch());
    EXPECT_TRUE(description.isBuiltIn());
    auto frames = decodeAll(recording.value());
    ASSERT_EQ(frames.size(), 6u);
    for (size_t index = 0; index < 5; ++index) {
        ASSERT_EQ(frames[index].touches.size(), 3u);
        for (const auto& touch : frames[index].touches) {
            EXPECT_NEAR(touch.x, 642 / 1600.0f, 0.001f) << "slot 1 and the third finger sit at the known position";
            EXPECT_NEAR(touch.y, 1 - 252 / 900.0f, 0.001f);
        }
        EXPECT_GT(frames[index].touches[1].size, 0.25f) << "slot 1 reports its own pressure, only no position";
    }
    EXPECT_TRUE(frames[5].touches.empty());
    EXPECT_DOUBLE_EQ(frames[0].timestamp, 1382570952.534113);
    EXPECT_NEAR(frames[5].timestamp - frames[0].timestamp, 0.1056, 0.001);
}

// How fast the decoded fingers move is the recorded start-pattern test's to check, against
// the limits that speed must pass.
TEST(RecordedTouchpadTest, splitRecordingOfTwoFingerScrollDecodesEveryFrameInOrder)
{
    SKIP_WITHOUT_RECORDINGS();
    auto recordings = EvemuRecording::loadAll({ recordingPath("synaptics-ps2-hp8470p.evemu-desc"),
                                                recordingPath("synaptics-ps2-hp8470p-two-finger-scroll-horizontal.evemu-events") });
    ASSERT_TRUE(recordings) << recordings.error();
    ASSERT_EQ(recordings.value().size(), 1u);
    auto frames = decodeAll(recordings.value()[0]);
    ASSERT_GT(frames.size(), 100u);
    for (size_t index = 1; index < frames.size(); ++index)
        EXPECT_EQ(frames[index].number, frames[index - 1].number + 1);
    EXPECT_EQ(frames[0].touches.size(), 2u);
}

TEST(RecordedTouchpadTest, touchscreenIsNoTouchpadButItsFiveContactsDecode)
{
    SKIP_WITHOUT_RECORDINGS();
    auto recording = EvemuRecording::load(recordingPath("dell-canvas-touchscreen-5-contacts.evemu"));
    ASSERT_TRUE(recording) << recording.error();
    EXPECT_FALSE(recording.value().description->isTouchpad());
    auto frames = decodeAll(recording.value());
    size_t most = 0;
    for (const auto& frame : frames)
        most = std::max(most, frame.touches.size());
    EXPECT_EQ(most, 5u);
    EXPECT_LT(frames.front().timestamp, 1.0) << "relative timestamps start near zero";
}

TEST(RecordedTouchpadTest, externalTouchpadDescriptionWithoutEventsIsAnIdleTouchpad)
{
    SKIP_WITHOUT_RECORDINGS();
    auto recording = EvemuRecording::load(recordingPath("logitech-t650-usb-touchpad.evemu-desc"));
    ASSERT_TRUE(recording) << recording.error();
    const auto& description = *recording.value().description;
    EXPECT_TRUE(description.isTouchpad());
    EXPECT_FALSE(description.isBuiltIn());
    EXPECT_EQ(description.busName(), "usb");
    EXPECT_EQ(description.slotCount(), 10);
    EXPECT_TRUE(recording.value().events.empty());
}
