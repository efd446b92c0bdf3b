#include "recognition/PointerWhereabouts.h"

#include "recognition/GestureCapture.h"

#include <cmath>

namespace scriblo {

namespace {

bool samePoint(GeometryPoint a, GeometryPoint b)
{
    return a.x == b.x && a.y == b.y;
}

}

bool PointerWhereabouts::movesPointer(const TouchFrame& frame)
{
    if (frame.touches.size() != 1)
        return false;
    const FrameTouch& touch = frame.touches.front();
    return touch.state == touchStateTouching
        && std::fabs(touch.velX) + std::fabs(touch.velY) > GestureCapture::minimumTouchSpeed;
}

void PointerWhereabouts::handleFrame(const TouchFrame& frame, const std::function<GeometryPoint()>& readXPointer)
{
    if (m_xPointerAlwaysCurrent)
        return;
    if (!movesPointer(frame)) {
        if (frame.touches.size() != 1)
            m_inContact = false;
        return;
    }
    if (m_inContact && frame.timestamp - m_lastSample < sampleInterval)
        return;
    sample(readXPointer(), frame.timestamp);
}

void PointerWhereabouts::sample(GeometryPoint xPointer, double time)
{
    bool moved = m_lastRead && !samePoint(xPointer, *m_lastRead);
    if (!m_inContact || moved)
        m_unchangedSince = time;
    if (m_inContact && moved) {
        m_xFollows = true;
        m_lastSeen = xPointer;
    } else if (m_inContact && time - m_unchangedSince >= standstillForStale) {
        m_xFollows = false;
    }
    m_inContact = true;
    m_lastSample = time;
    m_lastRead = xPointer;
}

PointerWhereabouts::Answer PointerWhereabouts::locate(GeometryPoint xPointer)
{
    // X having moved since it was last read means it saw the pointer move: a mouse
    // over X windows, or a touchpad motion too short to sample.
    if (m_lastRead && !samePoint(xPointer, *m_lastRead)) {
        m_xFollows = true;
        m_lastSeen = xPointer;
    }
    m_lastRead = xPointer;
    if (m_xPointerAlwaysCurrent || m_xFollows)
        return { Source::XPointer, xPointer };
    if (m_lastSeen)
        return { Source::LastTouchpadMotion, *m_lastSeen };
    return { Source::PrimaryScreen, {} };
}

}
