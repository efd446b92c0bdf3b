#pragma once

#include "multitouch/EvemuRecording.h"
#include "multitouch/SyntheticTouchpad.h"
#include "multitouch/TouchpadDecoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace scriblo::testing {

inline EvemuRecording recordingOf(const SyntheticTouchpad& pad)
{
    std::istringstream input(pad.text());
    auto parsed = EvemuRecording::parse(input, "synthetic");
    EXPECT_TRUE(parsed.hasValue()) << (parsed ? "" : parsed.error());
    return parsed.value();
}

struct DecodedFrame {
    int32_t number;
    double timestamp;
    std::vector<MTTouch> touches;
};

inline std::vector<DecodedFrame> decodeAll(const EvemuRecording& recording)
{
    TouchpadDecoder decoder(*recording.description);
    std::vector<DecodedFrame> frames;
    for (const auto& event : recording.events) {
        if (decoder.decode(event))
            frames.push_back({ decoder.frameNumber(), decoder.timestamp(),
                               { decoder.touches().begin(), decoder.touches().end() } });
    }
    return frames;
}

// A recording of a real device, from the shared data folder.
inline std::string recordingPath(const std::string& name)
{
    return std::string(SCRIBLO_SHARED_DATA) + "/evdev/" + name;
}

}

// The shared data may be absent from a checkout: tests of real recordings then say so.
#define SKIP_WITHOUT_RECORDINGS()                                                                      \
    if (!std::filesystem::exists(scriblo::testing::recordingPath("")))                                \
    GTEST_SKIP() << "the touchpad recordings in " << scriblo::testing::recordingPath("") << " are absent"
