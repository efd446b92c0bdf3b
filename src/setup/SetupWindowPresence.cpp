#include "setup/SetupWindowPresence.h"

#include "setup/GestureSetupWindow.h"

#include <QCursor>

namespace scriblo {

SetupWindowPresence::SetupWindowPresence(GestureSetupWindow& window, const Clock& clock, TimerService& timers, Hooks hooks)
    : m_window(window)
    , m_hooks(std::move(hooks))
    , m_fade(clock, timers,
             { [this](double alpha) { m_window.setWindowOpacity(alpha); }, [this] { takeKeyboardUnlessDrawing(); },
               [this] { m_window.putAway(); } })
{
}

void SetupWindowPresence::toggle(std::optional<QPoint> pointer)
{
    if (pointer)
        m_pointerAtClick = pointer;
    if (isVisible())
        return m_fade.close();
    if (m_hooks.recognitionCapturing())
        return;
    position();
    m_hooks.opening();
    m_window.present();
    m_fade.open();
}

void SetupWindowPresence::position()
{
    m_window.placeNear(m_hooks.trayIcon(), m_pointerAtClick.value_or(QCursor::pos()));
}

void SetupWindowPresence::reposition()
{
    if (isVisible())
        position();
}

// A recognition that began while the window faded in (its start was a moment earlier
// than a busy machine finished the fade) owns the keyboard and the top of the stack: the
// window stays open below it, for a click to take.
void SetupWindowPresence::takeKeyboardUnlessDrawing()
{
    if (!m_hooks.recognitionCapturing())
        m_window.takeKeyboard();
}

}
