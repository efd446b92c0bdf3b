#include "platform/QtTimerService.h"

#include <QTimerEvent>

#include <algorithm>

namespace scriblo {

QtTimerService::QtTimerService(QObject* parent)
    : QObject(parent)
{
}

QtTimerService::~QtTimerService()
{
    for (const auto& [id, entry] : m_entries)
        killTimer(id);
}

TimerHandle QtTimerService::scheduleOnce(SteadyDuration delay, std::function<void()> action)
{
    return schedule(delay, std::move(action), false);
}

TimerHandle QtTimerService::scheduleRepeating(SteadyDuration interval, std::function<void()> action)
{
    return schedule(interval, std::move(action), true);
}

TimerHandle QtTimerService::schedule(SteadyDuration delay, std::function<void()> action, bool repeats)
{
    // Qt counts in whole milliseconds; rounding up never fires a deadline early.
    auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(delay);
    int id = startTimer(std::max(milliseconds, std::chrono::milliseconds(0)), Qt::PreciseTimer);
    if (id == 0)
        return {};
    m_entries[id] = { ++m_lastHandle, std::move(action), repeats };
    return { m_lastHandle };
}

void QtTimerService::cancel(TimerHandle handle)
{
    auto found = std::find_if(m_entries.begin(), m_entries.end(),
                              [&](const auto& entry) { return entry.second.handle == handle.id; });
    if (found == m_entries.end())
        return;
    killTimer(found->first);
    m_entries.erase(found);
}

void QtTimerService::timerEvent(QTimerEvent* event)
{
    auto found = m_entries.find(event->timerId());
    if (found == m_entries.end())
        return;
    if (found->second.repeats) {
        // A copy, since the action may cancel its own timer.
        auto action = found->second.action;
        action();
        return;
    }
    auto action = std::move(found->second.action);
    killTimer(found->first);
    m_entries.erase(found);
    action();
}

}
