#pragma once

#include "base/ScheduledTimer.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>

namespace scriblo {

// A window's opacity going from one value to another over a set time. Each step reads
// the clock, so a step that comes late on a busy machine catches up instead of making
// the fade longer. It must not move, since its timer refers to it.
class OpacityRamp {
public:
    OpacityRamp(const Clock& clock, TimerService& timers, SteadyDuration duration, SteadyDuration step)
        : m_clock(clock)
        , m_timer(timers)
        , m_duration(duration)
        , m_step(step)
    {
    }

    // Hands each step's opacity to `alpha` until the time is up, and then calls `done`
    // in place of the last step.
    void start(double from, double to, std::function<void(double)> alpha, std::function<void()> done)
    {
        m_from = from;
        m_to = to;
        m_alpha = std::move(alpha);
        m_done = std::move(done);
        m_started = m_clock.now();
        m_timer.startRepeating(m_step, [this] { step(); });
    }

    void cancel() { m_timer.cancel(); }

private:
    void step()
    {
        double progress = std::chrono::duration<double>(m_clock.now() - m_started) / std::chrono::duration<double>(m_duration);
        if (progress < 1) {
            m_alpha(m_from + (m_to - m_from) * std::max(progress, 0.0));
            return;
        }
        m_timer.cancel();
        m_done();
    }

    const Clock& m_clock;
    ScheduledTimer m_timer;
    SteadyDuration m_duration;
    SteadyDuration m_step;
    double m_from = 0;
    double m_to = 0;
    SteadyTime m_started;
    std::function<void(double)> m_alpha;
    std::function<void()> m_done;
};

}
