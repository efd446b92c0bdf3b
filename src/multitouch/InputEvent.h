#pragma once

#include <cstdint>

namespace scriblo {

// One kernel input event, with its time in seconds. Both the live reader and the
// recording player hand these to the decoder.
struct InputEvent {
    double time = 0;
    uint16_t type = 0;
    uint16_t code = 0;
    int32_t value = 0;
};

}
