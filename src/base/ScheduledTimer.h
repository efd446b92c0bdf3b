#pragma once

#include "base/TimerService.h"

#include <utility>

namespace scriblo {

// One timer field of a state machine: armed or not, replaced when armed again, cancelled
// when its owner goes. It must not move, since the callbacks it schedules refer to it.
class ScheduledTimer {
public:
    explicit ScheduledTimer(TimerService& service) : m_service(service) { }
    ~ScheduledTimer() { cancel(); }
    ScheduledTimer(const ScheduledTimer&) = delete;
    ScheduledTimer& operator=(const ScheduledTimer&) = delete;

    bool isArmed() const { return bool(m_handle); }

    void startOnce(SteadyDuration delay, std::function<void()> action)
    {
        cancel();
        // A fired one-shot timer counts as unarmed before its action runs, so the
        // action may arm it again.
        m_handle = m_service.scheduleOnce(delay, [this, action = std::move(action)] {
            m_handle = {};
            action();
        });
    }

    void startRepeating(SteadyDuration interval, std::function<void()> action)
    {
        cancel();
        m_handle = m_service.scheduleRepeating(interval, std::move(action));
    }

    void cancel()
    {
        if (m_handle)
            m_service.cancel(std::exchange(m_handle, {}));
    }

private:
    TimerService& m_service;
    TimerHandle m_handle;
};

}
