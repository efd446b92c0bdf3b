#pragma once

// Kept out of the rules library on purpose: the shared frame object belongs to the
// multitouch layer, which links Qt Core, while the rules link nothing of Qt.

#include "multitouch/MultitouchEvent.h"
#include "recognition/TouchFrame.h"

namespace scriblo {

inline TouchFrame touchFrameFromEvent(const MultitouchEvent& event)
{
    TouchFrame frame;
    frame.deviceIdentifier = event.deviceIdentifier();
    frame.timestamp = event.timestamp();
    for (const MultitouchTouch& touch : event.touches())
        frame.touches.push_back({ touch.identifier(), touch.state(), touch.x(), touch.y(), touch.velX(), touch.velY() });
    return frame;
}

}
