#include "SyntheticRecording.h"

#include "multitouch/DrmDisplayList.h"
#include "multitouch/ReplayTouchpad.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

struct FrameCount {
    std::atomic<int> frames { 0 };
    std::atomic<int> touches { 0 };
};

int countFrame(MTDevice*, const MTTouch*, int32_t count, double, int32_t, void* context)
{
    auto* counter = static_cast<FrameCount*>(context);
    ++counter->frames;
    counter->touches += count;
    return 0;
}

}

TEST(TouchpadDevicesTest, replayDeliversFramesToItsCallbacksAndStopsAtOnceWhileWaiting)
{
    SyntheticTouchpad pad(5);
    // The lift is so far away (a corrupt timestamp) that the clock cannot hold it.
    pad.down(0, 1, 10, 10).fingers(0, 1).report().at(1e12).lift(0).fingers(1, 0).report();
    auto recording = std::make_shared<const EvemuRecording>(recordingOf(pad));

    FrameCount fast;
    ReplayTouchpad quick(recording, ReplayTouchpad::Pace::AsFastAsPossible);
    quick.registerContactFrameCallback(countFrame, &fast);
    quick.playNow();
    EXPECT_EQ(fast.frames, 2);
    EXPECT_EQ(fast.touches, 1);
    EXPECT_EQ(quick.isBuiltIn(), std::nullopt) << "a recording never counts as built into this machine";

    FrameCount paced;
    ReplayTouchpad slow(recording, ReplayTouchpad::Pace::Recorded);
    slow.registerContactFrameCallback(countFrame, &paced);
    slow.unregisterContactFrameCallback(countFrame);
    slow.registerContactFrameCallback(countFrame, &paced);
    ASSERT_TRUE(slow.start());
    auto began = std::chrono::steady_clock::now();
    while (paced.frames == 0 && std::chrono::steady_clock::now() - began < std::chrono::seconds(1))
        std::this_thread::yield();
    began = std::chrono::steady_clock::now();
    slow.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(1));
    EXPECT_EQ(paced.frames, 1) << "the lift is still due, not played early";
}

TEST(TouchpadDevicesTest, replayListLeavesOutWhatIsNoTouchpad)
{
    std::string directory = std::string(SCRIBLO_BINARY_DIR) + "/replay-list";
    std::filesystem::create_directories(directory);
    SyntheticTouchpad pad(2);
    std::ofstream(directory + "/pad.evemu") << pad.text();
    std::ofstream(directory + "/screen.evemu") << "N: Screen\nI: 0003 0 0 0\nP: 02 00 00 00 00 00 00 00\nA: 00 0 10 0 0 0\n";
    auto devices = ReplayTouchpad::createList(directory + "/pad.evemu:" + directory + "/screen.evemu",
                                              ReplayTouchpad::Pace::AsFastAsPossible);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0]->description().name, "Synthetic Touchpad");
    EXPECT_TRUE(ReplayTouchpad::createList(directory + "/missing.evemu", ReplayTouchpad::Pace::Recorded).empty());
}

TEST(TouchpadDevicesTest, drmConnectorsGiveTheEnabledDisplays)
{
    std::string root = std::string(SCRIBLO_BINARY_DIR) + "/drm-test";
    std::filesystem::remove_all(root);
    EXPECT_EQ(DrmDisplayList(root).activeDisplayNames(), std::nullopt);
    for (auto [connector, state] : { std::pair { "card0-eDP-1", "disabled" }, { "card0-HDMI-A-1", "enabled" } }) {
        std::filesystem::create_directories(root + "/" + connector);
        std::ofstream(root + "/" + connector + "/enabled") << state << "\n";
    }
    std::filesystem::create_directories(root + "/card0");
    auto names = DrmDisplayList(root).activeDisplayNames();
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, std::vector<std::string> { "HDMI-A-1" });
}
