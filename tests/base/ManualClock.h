#pragma once

#include "base/TimerService.h"

#include <map>

namespace scriblo {

// A clock that moves only when a test moves it, and the timers that run on it. Moving
// it fires every timer that falls due on the way, in the order of their deadlines (ties
// in the order they were scheduled), with the clock showing each deadline as it fires.
class ManualClock final : public Clock, public TimerService {
public:
    SteadyTime now() const override { return m_now; }
    void advanceBy(SteadyDuration duration);

    TimerHandle scheduleOnce(SteadyDuration delay, std::function<void()> action) override;
    TimerHandle scheduleRepeating(SteadyDuration interval, std::function<void()> action) override;
    void cancel(TimerHandle handle) override;

    size_t pendingTimerCount() const { return m_timers.size(); }

private:
    struct Timer {
        SteadyTime due;
        SteadyDuration interval;
        bool repeats = false;
        std::function<void()> action;
    };

    TimerHandle schedule(SteadyDuration delay, std::function<void()> action, bool repeats);
    std::map<uint64_t, Timer>::iterator nextDueBy(SteadyTime limit);

    SteadyTime m_now { std::chrono::hours(1) };
    std::map<uint64_t, Timer> m_timers;
    uint64_t m_lastHandle = 0;
};

}
