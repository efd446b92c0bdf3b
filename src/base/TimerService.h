#pragma once

#include "base/Clock.h"

#include <cstdint>
#include <functional>

namespace scriblo {

// Names one scheduled callback; the empty handle names none.
struct TimerHandle {
    uint64_t id = 0;
    explicit operator bool() const { return id != 0; }
};

// Runs callbacks later on the owner's thread. Production uses the event loop's timers;
// tests use a manual clock, so long timeouts cost no wall time.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual TimerHandle scheduleOnce(SteadyDuration delay, std::function<void()> action) = 0;
    virtual TimerHandle scheduleRepeating(SteadyDuration interval, std::function<void()> action) = 0;
    // Cancelling a handle that already fired (once) or was cancelled does nothing.
    virtual void cancel(TimerHandle handle) = 0;
};

}
