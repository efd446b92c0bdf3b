#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace scriblo {

// Writes evemu text for a made-up touchpad, for replays where no touchpad exists (the
// demonstration) and for tests that read like the recordings they stand in for.
class SyntheticTouchpad {
public:
    // Positions in the drawing space: thousandths of the surface, y growing upward.
    using Point = std::pair<double, double>;

    // A touchpad with `slots` slots, axes 0..1000 on x and 0..500 on y.
    explicit SyntheticTouchpad(int slots);

    SyntheticTouchpad& at(double time);
    SyntheticTouchpad& event(int type, int code, int value);
    SyntheticTouchpad& slot(int slot);
    SyntheticTouchpad& down(int slot, int trackingId, int x, int y);
    SyntheticTouchpad& move(int x, int y);
    SyntheticTouchpad& lift(int slot);
    // BTN_TOOL_FINGER .. BTN_TOOL_QUINTTAP for 1..5 fingers, 0 for none.
    SyntheticTouchpad& fingers(int from, int to);
    SyntheticTouchpad& report();
    SyntheticTouchpad& dropped();

    // Four fingers down at `time` and up 90 ms later, with the jitter of a real tap.
    SyntheticTouchpad& fourFingerTap(double time);
    // One finger through `points` from `time`, one frame every `interval` seconds; the
    // time of the lift.
    double drawStroke(const std::vector<Point>& points, double time, double interval);

    std::string text() const { return m_text.str(); }

private:
    std::ostringstream m_text;
    double m_time = 0.000001;
};

}
