#pragma once

#include "setup/SetupWindowFade.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>

namespace scriblo {

class GestureSetupWindow;

// Where and when the setup window shows: placed near the tray icon or the click, faded in
// and out, and handed the keyboard once the fade in ends unless a recognition has taken
// it meanwhile.
class SetupWindowPresence {
public:
    struct Hooks {
        // Whether a recognition is capturing a gesture now; the window does not open then.
        std::function<bool()> recognitionCapturing;
        // Where the tray says its icon is, when it says.
        std::function<std::optional<QRect>()> trayIcon;
        // The window is about to open, for its controls to show the catalogue as it is.
        std::function<void()> opening;
    };

    SetupWindowPresence(GestureSetupWindow& window, const Clock& clock, TimerService& timers, Hooks hooks);

    // Opens or closes the window; `pointer` is where the user clicked.
    void toggle(std::optional<QPoint> pointer);
    void hide() { m_fade.hide(); }
    // Places the window again where it is open, as after the tray placed its icon.
    void reposition();
    // From the start of the fade in until the window is hidden again.
    bool isVisible() const { return m_fade.isVisible(); }
    bool closing() const { return m_fade.state() == SetupWindowFade::State::Closing; }
    SetupWindowFade::State state() const { return m_fade.state(); }

private:
    void position();
    void takeKeyboardUnlessDrawing();

    GestureSetupWindow& m_window;
    Hooks m_hooks;
    SetupWindowFade m_fade;
    std::optional<QPoint> m_pointerAtClick;
};

}
