#include "recognition/InputEventTimes.h"

#include <QGuiApplication>
#include <QInputEvent>

namespace scriblo {

std::optional<SteadyTime> InputEventTimes::timeOf(const QInputEvent& event)
{
    if (event.timestamp() == 0)
        return std::nullopt;
    return m_timeline.steadyTime(uint32_t(event.timestamp()));
}

void InputEventTimes::deliverPendingInput()
{
    QGuiApplication::sync();
}

}
