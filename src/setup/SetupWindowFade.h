#pragma once

#include "base/OpacityRamp.h"

namespace scriblo {

// The setup window's four states, told apart by its alpha as everything else tells them:
// hidden (0, off the screen), opening, shown (1) and closing. The window counts as
// visible from the moment it starts to open until it is hidden, so a toggle during
// either fade closes it.
class SetupWindowFade {
public:
    static constexpr SteadyDuration fadeDuration = std::chrono::milliseconds(160);
    static constexpr SteadyDuration fadeStep = std::chrono::milliseconds(16);

    enum class State { Hidden, Opening, Shown, Closing };

    struct Callbacks {
        std::function<void(double alpha)> setAlpha;
        // The fade in has ended: the window may take the keyboard.
        std::function<void()> opened;
        // Take the window off the screen; the alpha is 0 by then.
        std::function<void()> hide;
    };

    SetupWindowFade(const Clock& clock, TimerService& timers, Callbacks callbacks);

    void open();
    void close();
    // At once, with no fade, from any state.
    void hide();

    State state() const { return m_state; }
    double alpha() const { return m_alpha; }
    bool isVisible() const { return m_state != State::Hidden; }

private:
    void fadeTo(State state);
    void faded();
    void setAlpha(double alpha);

    Callbacks m_callbacks;
    State m_state = State::Hidden;
    double m_alpha = 0;
    OpacityRamp m_fade;
};

}
