#pragma once

#include "platform/EventFilter.h"
#include "platform/X11InputGrab.h"

#include <functional>
#include <memory>

namespace scriblo {

// Mouse presses come from XInput 2 in an X11 session and from the mice's device files in
// a Wayland one; touchpads are held through the multitouch manager, which keeps its
// grab across restarts.
class LinuxEventFilter final : public EventFilter {
public:
    enum class Session { X11, Wayland };
    // Grabs or releases every touchpad; answers whether all of them followed.
    using TouchpadGrab = std::function<bool(bool grabbed)>;

    explicit LinuxEventFilter(TouchpadGrab touchpadGrab, Session session = currentSession());
    ~LinuxEventFilter() override;

    // Wayland when the session says so (WAYLAND_DISPLAY, or XDG_SESSION_TYPE=wayland).
    static Session currentSession();

    Expected<std::string> watchSecondaryPresses(SecondaryPresses::Handler handler) override;
    void holdAllInput(QWindow* window) override;
    void releaseKeyboardAndPointer() override;
    void releaseTouchpads() override;

private:
    TouchpadGrab m_touchpadGrab;
    Session m_session;
    std::unique_ptr<SecondaryPresses> m_presses;
    X11InputGrab m_inputGrab;
};

}
