#include "multitouch/EvemuRecording.h"

#include <gtest/gtest.h>
#include <linux/input.h>

#include <fstream>
#include <sstream>

using namespace scriblo;

namespace {

Expected<EvemuRecording> parse(const std::string& text)
{
    std::istringstream input(text);
    return EvemuRecording::parse(input, "test");
}

std::string writeFile(const std::string& name, const std::string& text)
{
    std::string path = std::string(SCRIBLO_BINARY_DIR) + "/" + name;
    std::ofstream(path) << text;
    return path;
}

const char oldDescription[] = "N: Old # Pad\nI: 0011 0002 0007 01b1\nA: 2f 0 1 0 0\nA: 35 1472 5728 0 0\n";

}

TEST(EvemuRecordingTest, readsEveryDescriptionLineAndBothTimestampStylesAndRefusesMalformedInput)
{
    auto recording = parse("# EVEMU 1.3\n"
                           "N: Some Pad\n"
                           "I: 0018 06cb 7e7e 0100\n"
                           "P: 05 00 00 00 00 00 00 00\n"
                           "B: 01 00 00 00 00 00 00 00 00\n"
                           "B: 01 00 00 00 00 00 00 00 00\n"
                           "B: 01 00 00 00 00 00 00 00 00\n"
                           "B: 01 00 00 00 00 00 00 00 00\n"
                           "B: 01 00 00 07 00 00 00 00 00\n"
                           "B: 01 20 e5 00 00 00 00 00 00\n"
                           "B: 03 03 00 00 00 00 80 60 02\n"
                           "A: 35 0 3000 0 0 30\n"
                           "L: 00 0\n"
                           "E: 0.000001 0003 0039 -001\t# EV_ABS / ABS_MT_TRACKING_ID -1\n"
                           "E: 1353330434.388618 0003 0035 1972\r\n");
    ASSERT_TRUE(recording) << recording.error();
    const auto& description = *recording.value().description;
    EXPECT_EQ(description.name, "Some Pad");
    EXPECT_EQ(description.bus, BUS_I2C);
    EXPECT_EQ(description.vendor, 0x06cb);
    EXPECT_TRUE(description.hasProperty(INPUT_PROP_POINTER));
    EXPECT_TRUE(description.hasProperty(INPUT_PROP_BUTTONPAD));
    EXPECT_TRUE(description.hasKey(BTN_LEFT));
    EXPECT_TRUE(description.hasKey(BTN_TOOL_FINGER));
    EXPECT_TRUE(description.hasKey(BTN_TOOL_QUINTTAP));
    EXPECT_FALSE(description.hasKey(BTN_TOOL_PEN));
    EXPECT_EQ(description.axes.at(ABS_MT_POSITION_X).resolution, 30);
    ASSERT_EQ(recording.value().events.size(), 2u);
    EXPECT_EQ(recording.value().events[0].value, -1);
    EXPECT_DOUBLE_EQ(recording.value().events[0].time, 0.000001);
    EXPECT_NEAR(recording.value().events[1].time, 1353330434.388618, 1e-6);
    EXPECT_EQ(recording.value().events[1].code, ABS_MT_POSITION_X);

    // Malformed and implausible input is refused with its line.
    for (const char* text : { "N: Pad\nE: 0.1 zz 0000 1\n", "N: Pad\nA: 2f 0\n", "N: Pad\nA: 2f 5 1 0 0 0\n",
                              "N: Pad\nI: 10000 0 0 0\n", "N: Pad\nE: 0.1 0003 0fff 1\n", "just text\n" }) {
        EXPECT_FALSE(parse(text)) << text;
    }
    auto malformed = parse("N: Pad\n\nE: 0.1 0003 nope 1\n");
    ASSERT_FALSE(malformed);
    EXPECT_EQ(malformed.error(), "test:3: bad event line");
}

TEST(EvemuRecordingTest, anOldDescriptionFileFollowedByEventsFileIsOneRecording)
{
    std::string description = writeFile("split.evemu-desc", oldDescription);
    std::string events = writeFile("split.evemu-events", "E: 5.000000 0003 0039 12\nE: 5.000001 0000 0000 0\n");
    auto recordings = EvemuRecording::loadAll({ description, events, description });
    ASSERT_TRUE(recordings) << recordings.error();
    ASSERT_EQ(recordings.value().size(), 2u);
    EXPECT_EQ(recordings.value()[0].events.size(), 2u);
    EXPECT_TRUE(recordings.value()[1].events.empty());
    // The oldest descriptions have no resolution, and names may hold hashes.
    EXPECT_EQ(recordings.value()[0].description->name, "Old # Pad");
    EXPECT_EQ(recordings.value()[0].description->axes.at(ABS_MT_POSITION_X).minimum, 1472);
    EXPECT_EQ(recordings.value()[0].description->slotCount(), 2);

    auto orphan = EvemuRecording::loadAll({ events });
    ASSERT_FALSE(orphan);
    EXPECT_NE(orphan.error().find("without a device description"), std::string::npos);
    auto missing = EvemuRecording::loadAll({ description + ".missing" });
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error(), description + ".missing: No such file or directory");
}
