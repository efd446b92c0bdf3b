#pragma once

#include <functional>

namespace scriblo {

class MultitouchManager;

// What main hands every command, as the application's root hands its parts their
// services, so a command reaches no process-wide object of its own accord.
struct CommandServices {
    // Made on first use: only the commands that read touchpads open them, and only once
    // their event loop runs, on which a wake from sleep restarts the devices.
    std::function<MultitouchManager&()> multitouch;
};

}
