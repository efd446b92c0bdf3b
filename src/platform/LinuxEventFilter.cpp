#include "platform/LinuxEventFilter.h"

#include "platform/EvdevSecondaryPresses.h"
#include "platform/XInputSecondaryPresses.h"

#include <QLoggingCategory>

#include <cstdlib>
#include <string_view>

namespace scriblo {

Q_LOGGING_CATEGORY(inputGrab, "scriblo.input.grab")

LinuxEventFilter::LinuxEventFilter(TouchpadGrab touchpadGrab, Session session)
    : m_touchpadGrab(std::move(touchpadGrab))
    , m_session(session)
{
    QObject::connect(&m_inputGrab, &X11InputGrab::grabRefused, [] {
        qCWarning(inputGrab) << "Another program holds the keyboard or pointer; keys may reach it during the capture";
    });
}

LinuxEventFilter::~LinuxEventFilter()
{
    releaseKeyboardAndPointer();
    releaseTouchpads();
}

LinuxEventFilter::Session LinuxEventFilter::currentSession()
{
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const char* sessionType = std::getenv("XDG_SESSION_TYPE");
    bool wayland = (waylandDisplay && *waylandDisplay) || (sessionType && std::string_view(sessionType) == "wayland");
    return wayland ? Session::Wayland : Session::X11;
}

Expected<std::string> LinuxEventFilter::watchSecondaryPresses(SecondaryPresses::Handler handler)
{
    if (m_session == Session::Wayland)
        m_presses = std::make_unique<EvdevSecondaryPresses>();
    else
        m_presses = std::make_unique<XInputSecondaryPresses>();
    auto watched = m_presses->start(std::move(handler));
    // Mice that cannot be read now may be plugged in or come back later.
    if (!watched && m_session == Session::X11)
        m_presses.reset();
    return watched;
}

void LinuxEventFilter::holdAllInput(QWindow* window)
{
    if (!m_touchpadGrab(true))
        qCWarning(inputGrab) << "Not every touchpad could be held; the pointer may move during the capture";
    m_inputGrab.grab(window);
}

void LinuxEventFilter::releaseKeyboardAndPointer()
{
    m_inputGrab.release();
}

void LinuxEventFilter::releaseTouchpads()
{
    m_touchpadGrab(false);
}

}
