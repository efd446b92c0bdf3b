#pragma once

#include "base/InputTimeline.h"
#include "platform/SecondaryPresses.h"
#include "platform/SystemClock.h"
#include "platform/X11Connection.h"

#include <memory>

namespace scriblo {

// Raw button presses from XInput 2, which the server delivers whatever grabs other
// programs hold, and which never stop the press from reaching its window.
class XInputSecondaryPresses final : public SecondaryPresses {
public:
    Expected<std::string> start(Handler handler) override;

private:
    void handleEvent(_XEvent& event);

    std::unique_ptr<X11Connection> m_connection;
    Handler m_handler;
    int m_extensionOpcode = 0;
    SystemClock m_clock;
    InputTimeline m_timeline { m_clock };
};

}
