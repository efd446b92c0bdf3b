#pragma once

#include "platform/SecondaryPresses.h"
#include "platform/X11Connection.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace scriblo {

// Raw button presses from XInput 2, which the server delivers whatever grabs other
// programs hold, and which never stop the press from reaching its window.
class XInputSecondaryPresses final : public SecondaryPresses {
public:
    Expected<std::string> start(Handler handler) override;

private:
    void handleEvent(_XEvent& event);
    std::chrono::steady_clock::time_point steadyTime(unsigned long serverTime);

    std::unique_ptr<X11Connection> m_connection;
    Handler m_handler;
    int m_extensionOpcode = 0;
    // The server's millisecond clock wraps after 49 days and has its own epoch; the
    // first press anchors it to the steady clock and later ones move by the difference.
    std::optional<std::pair<uint32_t, std::chrono::steady_clock::time_point>> m_anchor;
};

}
