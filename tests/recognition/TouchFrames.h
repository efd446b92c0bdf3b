#pragma once

#include "recognition/TouchFrame.h"

namespace scriblo {

// A finger on the surface moving right at `speed` surface units per second.
inline FrameTouch movingTouch(int32_t identifier, float x, float y, float speed = 0.5f)
{
    return { identifier, touchStateTouching, x, y, speed, 0 };
}

// `count` fingers side by side, each moving at `speed`.
inline TouchFrame fingersMoving(int count, float speed, int32_t device = 1)
{
    TouchFrame frame { device, {} };
    for (int finger = 0; finger < count; ++finger)
        frame.touches.push_back(movingTouch(finger + 1, 0.2f + 0.1f * float(finger), 0.5f, speed));
    return frame;
}

inline TouchFrame noFingers(int32_t device = 1)
{
    return { device, {} };
}

}
