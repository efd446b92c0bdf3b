#pragma once

#include "base/Expected.h"

#include <chrono>
#include <functional>
#include <string>

namespace scriblo {

// A source of the secondary (right) mouse button's presses anywhere on the desktop,
// observed only: every press still reaches the program under the pointer.
class SecondaryPresses {
public:
    // When the press happened, on the steady clock, taken from the event itself so
    // that presses read together still keep their true distance apart.
    using Handler = std::function<void(std::chrono::steady_clock::time_point time)>;

    virtual ~SecondaryPresses() = default;
    // Says what is watched, or why nothing can be.
    virtual Expected<std::string> start(Handler handler) = 0;
};

}
