#pragma once

#include "base/Clock.h"

namespace scriblo {

// The machine's monotonic clock, which wall-clock changes and suspend cannot turn back.
class SystemClock final : public Clock {
public:
    SteadyTime now() const override { return std::chrono::steady_clock::now(); }
};

}
