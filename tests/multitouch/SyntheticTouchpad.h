#pragma once

#include "multitouch/EvemuRecording.h"
#include "multitouch/TouchpadDecoder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace scriblo::testing {

// Writes evemu text for a made-up touchpad, so tests read like the recordings they
// stand in for.
class SyntheticTouchpad {
public:
    // A touchpad with `slots` slots, axes 0..1000 on x and 0..500 on y.
    explicit SyntheticTouchpad(int slots)
    {
        m_text << "# EVEMU 1.3\nN: Synthetic Touchpad\nI: 0011 0002 0007 0001\n"
               << "P: 05 00 00 00 00 00 00 00\n"
               << "B: 01 00 00 00 00 00 00 00 00\nB: 01 00 00 00 00 00 00 00 00\n"
               << "B: 01 00 00 00 00 00 00 00 00\nB: 01 00 00 00 00 00 00 00 00\n"
               << "B: 01 00 00 07 00 00 00 00 00\nB: 01 20 e5 00 00 00 00 00 00\n"
               << "A: 00 0 1000 0 0 10\nA: 01 0 500 0 0 10\nA: 2f 0 " << slots - 1 << " 0 0 0\n"
               << "A: 35 0 1000 0 0 10\nA: 36 0 500 0 0 10\nA: 39 0 65535 0 0 0\nA: 3a 0 255 0 0 0\n";
    }

    SyntheticTouchpad& at(double time) { m_time = time; return *this; }
    SyntheticTouchpad& event(int type, int code, int value)
    {
        char line[96];
        std::snprintf(line, sizeof line, "E: %.6f %04x %04x %04d\n", m_time, type, code, value);
        m_text << line;
        return *this;
    }
    SyntheticTouchpad& slot(int slot) { return event(3, 0x2f, slot); }
    SyntheticTouchpad& down(int slot, int trackingId, int x, int y)
    {
        return this->slot(slot).event(3, 0x39, trackingId).move(x, y);
    }
    SyntheticTouchpad& move(int x, int y) { return event(3, 0x35, x).event(3, 0x36, y); }
    SyntheticTouchpad& lift(int slot) { return this->slot(slot).event(3, 0x39, -1); }
    // BTN_TOOL_FINGER .. BTN_TOOL_QUINTTAP for 1..5 fingers, 0 for none.
    SyntheticTouchpad& fingers(int from, int to)
    {
        static const int tools[] = { 0, 0x145, 0x14d, 0x14e, 0x14f, 0x148 };
        if (from)
            event(1, tools[from], 0);
        if (to)
            event(1, tools[to], 1);
        return *this;
    }
    SyntheticTouchpad& report() { return event(0, 0, 0); }
    SyntheticTouchpad& dropped() { return event(0, 3, 0); }

    std::string text() const { return m_text.str(); }

    EvemuRecording recording() const
    {
        std::istringstream input(text());
        auto parsed = EvemuRecording::parse(input, "synthetic");
        EXPECT_TRUE(parsed.hasValue()) << (parsed ? "" : parsed.error());
        return parsed.value();
    }

private:
    std::ostringstream m_text;
    double m_time = 0.000001;
};

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

}
