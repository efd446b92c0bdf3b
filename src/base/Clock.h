#pragma once

#include <chrono>

namespace scriblo {

using SteadyTime = std::chrono::steady_clock::time_point;
using SteadyDuration = std::chrono::steady_clock::duration;

// Where state machines read the time, so tests can stand time still or move it at will.
class Clock {
public:
    virtual ~Clock() = default;
    virtual SteadyTime now() const = 0;
};

// Milliseconds between two instants as a real number, the unit the input rules compare in.
inline double millisecondsBetween(SteadyTime earlier, SteadyTime later)
{
    return std::chrono::duration<double, std::milli>(later - earlier).count();
}

}
