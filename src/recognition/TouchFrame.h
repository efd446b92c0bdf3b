#pragma once

#include <cstdint>
#include <vector>

namespace scriblo {

// What the recognition rules read of one contact: positions normalised to 0..1 with y
// growing upward, velocities in surface units per second.
struct FrameTouch {
    int32_t identifier = 0;
    int32_t state = 0;
    float x = 0;
    float y = 0;
    float velX = 0;
    float velY = 0;
};

// The touches of one contact frame of one device, as plain values: the rules keep no
// reference to the shared frame object, which other listeners may change.
struct TouchFrame {
    int32_t deviceIdentifier = 0;
    std::vector<FrameTouch> touches;
    // When the device reported the frame, in seconds on the device's own clock: only
    // differences between frames of one device mean anything.
    double timestamp = 0;
};

// The contact state of a finger on the surface.
inline constexpr int32_t touchStateTouching = 4;

}
