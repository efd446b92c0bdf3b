#include "recognition/TouchpadGrabRule.h"

#include <algorithm>

namespace scriblo {

TouchpadGrabRule::TouchpadGrabRule(std::function<void(bool)> setGrabbed)
    : m_setGrabbed(std::move(setGrabbed))
{
}

void TouchpadGrabRule::captureStarted()
{
    m_capturing = true;
    setGrabbed(true);
}

void TouchpadGrabRule::captureEnded()
{
    m_capturing = false;
    if (m_devicesWithFingers.empty())
        setGrabbed(false);
}

void TouchpadGrabRule::handleFrame(const TouchFrame& frame)
{
    auto known = std::find(m_devicesWithFingers.begin(), m_devicesWithFingers.end(), frame.deviceIdentifier);
    bool fingersDown = !frame.touches.empty();
    if (fingersDown && known == m_devicesWithFingers.end())
        m_devicesWithFingers.push_back(frame.deviceIdentifier);
    if (!fingersDown && known != m_devicesWithFingers.end())
        m_devicesWithFingers.erase(known);
    if (m_devicesWithFingers.empty())
        releaseUnlessCapturing();
}

void TouchpadGrabRule::scrollBlockingEnded()
{
    // A pad that vanished with fingers down never sends its empty frame; the lapse of
    // the blocking releases the grab anyway.
    releaseUnlessCapturing();
}

void TouchpadGrabRule::releaseUnlessCapturing()
{
    if (!m_capturing)
        setGrabbed(false);
}

void TouchpadGrabRule::setGrabbed(bool grabbed)
{
    if (grabbed == m_grabbed)
        return;
    m_grabbed = grabbed;
    if (m_setGrabbed)
        m_setGrabbed(grabbed);
}

}
