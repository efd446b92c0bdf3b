#pragma once

#include "base/Expected.h"

#include <cstddef>
#include <string>

namespace scriblo {

// The lines printed at start, one per input source, so a user who sees nothing happen
// after a gesture knows where to look.
class InputSourceReport {
public:
    static std::string touchpadLine(size_t found, size_t readable);
    // `watching` is what the event filter said when asked to watch the mouse.
    static std::string mouseLine(const Expected<std::string>& watching);
};

}
