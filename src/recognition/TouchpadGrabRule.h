#pragma once

#include "recognition/TouchFrame.h"

#include <functional>

namespace scriblo {

// How long the touchpads stay grabbed in touchpad mode: for the whole capture, and after
// it until every finger has lifted or the scroll blocking lapses, whichever comes first.
// Fingers still on the pad when the drawing ends would otherwise move the pointer and
// scroll whatever lies under it.
class TouchpadGrabRule {
public:
    explicit TouchpadGrabRule(std::function<void(bool grabbed)> setGrabbed);

    void captureStarted();
    void captureEnded();
    // Every frame of every touchpad, to know which still have fingers down.
    void handleFrame(const TouchFrame& frame);
    void scrollBlockingEnded();

    bool grabbed() const { return m_grabbed; }

private:
    void setGrabbed(bool grabbed);
    void releaseUnlessCapturing();

    std::function<void(bool)> m_setGrabbed;
    std::vector<int32_t> m_devicesWithFingers;
    bool m_capturing = false;
    bool m_grabbed = false;
};

}
