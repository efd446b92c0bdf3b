#pragma once

#include "base/TimerService.h"

#include <QObject>

#include <map>

namespace scriblo {

// Timers of the Qt event loop of the thread this object lives on. Precise timers, since
// the input rules count in milliseconds (a 16 ms redraw, a 100 ms start delay).
class QtTimerService final : public QObject, public TimerService {
public:
    explicit QtTimerService(QObject* parent = nullptr);
    ~QtTimerService() override;

    TimerHandle scheduleOnce(SteadyDuration delay, std::function<void()> action) override;
    TimerHandle scheduleRepeating(SteadyDuration interval, std::function<void()> action) override;
    void cancel(TimerHandle handle) override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Entry {
        uint64_t handle = 0;
        std::function<void()> action;
        bool repeats = false;
    };

    TimerHandle schedule(SteadyDuration delay, std::function<void()> action, bool repeats);

    // Keyed by Qt's timer id. Handles are our own and never reused, because Qt reuses
    // the id of a finished timer and a stale handle must not cancel a newer timer.
    std::map<int, Entry> m_entries;
    uint64_t m_lastHandle = 0;
};

}
