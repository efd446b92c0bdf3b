#include "base/ManualClock.h"

#include <algorithm>

namespace scriblo {

void ManualClock::advanceBy(SteadyDuration duration)
{
    SteadyTime target = m_now + duration;
    for (auto due = nextDueBy(target); due != m_timers.end(); due = nextDueBy(target)) {
        m_now = due->second.due;
        if (!due->second.repeats) {
            auto action = std::move(due->second.action);
            m_timers.erase(due);
            action();
            continue;
        }
        due->second.due += std::max(due->second.interval, SteadyDuration(1));
        auto action = due->second.action;
        action();
    }
    m_now = target;
}

TimerHandle ManualClock::scheduleOnce(SteadyDuration delay, std::function<void()> action)
{
    return schedule(delay, std::move(action), false);
}

TimerHandle ManualClock::scheduleRepeating(SteadyDuration interval, std::function<void()> action)
{
    return schedule(interval, std::move(action), true);
}

void ManualClock::cancel(TimerHandle handle)
{
    m_timers.erase(handle.id);
}

TimerHandle ManualClock::schedule(SteadyDuration delay, std::function<void()> action, bool repeats)
{
    m_timers[++m_lastHandle] = { m_now + delay, delay, repeats, std::move(action) };
    return { m_lastHandle };
}

std::map<uint64_t, ManualClock::Timer>::iterator ManualClock::nextDueBy(SteadyTime limit)
{
    // Handles grow with scheduling order, so the first of equal deadlines is the oldest.
    auto earliest = std::min_element(m_timers.begin(), m_timers.end(), [](const auto& a, const auto& b) {
        return a.second.due < b.second.due;
    });
    if (earliest == m_timers.end() || earliest->second.due > limit)
        return m_timers.end();
    return earliest;
}

}
