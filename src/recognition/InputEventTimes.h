#pragma once

#include "base/InputTimeline.h"

#include <optional>

class QInputEvent;

namespace scriblo {

// When a window system's input event was made, on the steady clock, for a capture to
// judge its timing rules on. Each view keeps one, since the timeline learns the offset
// between the window system's clock and the steady clock from the events it sees.
class InputEventTimes {
public:
    explicit InputEventTimes(const Clock& clock) : m_timeline(clock) { }

    // Nothing for an event that carries no time (0, X's "current time"), as events
    // made by the program itself do: the capture then takes the time it reads them.
    std::optional<SteadyTime> timeOf(const QInputEvent& event);

    // Lets the event loop hand over the input waiting to be read, after a round trip
    // to the window system so that input it has sent by now is among it.
    static void deliverPendingInput();

private:
    InputTimeline m_timeline;
};

}
