#pragma once

#include "platform/SecondaryPresses.h"

class QWindow;

namespace scriblo {

// Input seen or held outside Scriblo's own windows: what the start patterns of mouse
// mode watch, and what a touchpad capture keeps from reaching other programs.
class EventFilter {
public:
    virtual ~EventFilter() = default;

    // Reports every secondary-button press anywhere on the desktop; the presses are never
    // held back. Says what is watched, or why nothing can be.
    virtual Expected<std::string> watchSecondaryPresses(SecondaryPresses::Handler handler) = 0;
    // While a touchpad capture runs no pointer motion, click, scroll or key reaches
    // another program; `window` is the one the capture draws in.
    virtual void holdAllInput(QWindow* window) = 0;
    // Hands keyboard and pointer back; the touchpads stay held until releaseTouchpads(),
    // so fingers still on the pad after a recognition scroll nothing.
    virtual void releaseKeyboardAndPointer() = 0;
    virtual void releaseTouchpads() = 0;
};

}
