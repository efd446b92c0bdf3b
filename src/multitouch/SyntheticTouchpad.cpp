#include "multitouch/SyntheticTouchpad.h"

#include <cstdio>

namespace scriblo {

namespace {

constexpr int absoluteAxes = 3;
constexpr int slotCode = 0x2f;
constexpr int positionXCode = 0x35;
constexpr int positionYCode = 0x36;
constexpr int trackingIdCode = 0x39;
// The height of the made-up surface in device units; its x axis runs to 1000.
constexpr int surfaceHeight = 500;

}

SyntheticTouchpad::SyntheticTouchpad(int slots)
{
    m_text << "# EVEMU 1.3\nN: Synthetic Touchpad\nI: 0011 0002 0007 0001\n"
           << "P: 05 00 00 00 00 00 00 00\n"
           << "B: 01 00 00 00 00 00 00 00 00\nB: 01 00 00 00 00 00 00 00 00\n"
           << "B: 01 00 00 00 00 00 00 00 00\nB: 01 00 00 00 00 00 00 00 00\n"
           << "B: 01 00 00 07 00 00 00 00 00\nB: 01 20 e5 00 00 00 00 00 00\n"
           << "A: 00 0 1000 0 0 10\nA: 01 0 500 0 0 10\nA: 2f 0 " << slots - 1 << " 0 0 0\n"
           << "A: 35 0 1000 0 0 10\nA: 36 0 500 0 0 10\nA: 39 0 65535 0 0 0\nA: 3a 0 255 0 0 0\n";
}

SyntheticTouchpad& SyntheticTouchpad::at(double time)
{
    m_time = time;
    return *this;
}

SyntheticTouchpad& SyntheticTouchpad::event(int type, int code, int value)
{
    char line[96];
    std::snprintf(line, sizeof line, "E: %.6f %04x %04x %04d\n", m_time, type, code, value);
    m_text << line;
    return *this;
}

SyntheticTouchpad& SyntheticTouchpad::slot(int slot)
{
    return event(absoluteAxes, slotCode, slot);
}

SyntheticTouchpad& SyntheticTouchpad::down(int slot, int trackingId, int x, int y)
{
    return this->slot(slot).event(absoluteAxes, trackingIdCode, trackingId).move(x, y);
}

SyntheticTouchpad& SyntheticTouchpad::move(int x, int y)
{
    return event(absoluteAxes, positionXCode, x).event(absoluteAxes, positionYCode, y);
}

SyntheticTouchpad& SyntheticTouchpad::lift(int slot)
{
    return this->slot(slot).event(absoluteAxes, trackingIdCode, -1);
}

SyntheticTouchpad& SyntheticTouchpad::fingers(int from, int to)
{
    static const int tools[] = { 0, 0x145, 0x14d, 0x14e, 0x14f, 0x148 };
    if (from)
        event(1, tools[from], 0);
    if (to)
        event(1, tools[to], 1);
    return *this;
}

SyntheticTouchpad& SyntheticTouchpad::report()
{
    return event(0, 0, 0);
}

SyntheticTouchpad& SyntheticTouchpad::dropped()
{
    return event(0, 3, 0);
}

SyntheticTouchpad& SyntheticTouchpad::fourFingerTap(double time)
{
    at(time);
    for (int finger = 0; finger < 4; ++finger)
        down(finger, finger + 1, 300 + 100 * finger, 250);
    fingers(0, 4).report();
    // Resting fingers never hold perfectly still.
    for (int frame = 1; frame <= 8; ++frame)
        at(time + 0.01 * frame).slot(0).move(300 + frame % 2, 250).report();
    at(time + 0.09);
    for (int finger = 0; finger < 4; ++finger)
        lift(finger);
    return fingers(4, 0).report();
}

double SyntheticTouchpad::drawStroke(const std::vector<Point>& points, double time, double interval)
{
    // The surface's y axis runs downward over half the x axis's units.
    auto device = [](const Point& point) {
        return std::pair(int(point.first), int(surfaceHeight - point.second * surfaceHeight / 1000));
    };
    auto [firstX, firstY] = device(points.front());
    at(time).down(0, 10, firstX, firstY).fingers(0, 1).report();
    for (const auto& point : points) {
        auto [x, y] = device(point);
        at(time += interval).slot(0).move(x, y).report();
    }
    at(time += interval).lift(0).fingers(1, 0).report();
    return time;
}

}
