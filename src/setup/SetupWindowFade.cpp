#include "setup/SetupWindowFade.h"

#include <algorithm>

namespace scriblo {

SetupWindowFade::SetupWindowFade(const Clock& clock, TimerService& timers, Callbacks callbacks)
    : m_clock(clock)
    , m_callbacks(std::move(callbacks))
    , m_fadeTimer(timers)
{
}

void SetupWindowFade::open()
{
    fadeTo(State::Opening);
}

void SetupWindowFade::close()
{
    fadeTo(State::Closing);
}

void SetupWindowFade::hide()
{
    m_fadeTimer.cancel();
    m_state = State::Hidden;
    setAlpha(0);
    if (m_callbacks.hide)
        m_callbacks.hide();
}

void SetupWindowFade::fadeTo(State state)
{
    m_state = state;
    m_fadeStart = m_clock.now();
    // A fade that reverses another goes on from the alpha it reached, so the window
    // never jumps.
    m_fadeStartAlpha = m_alpha;
    m_fadeTimer.startRepeating(fadeStep, [this] { step(); });
}

void SetupWindowFade::step()
{
    double elapsed = std::chrono::duration<double>(m_clock.now() - m_fadeStart).count();
    double progress = std::min(1.0, elapsed / std::chrono::duration<double>(fadeDuration).count());
    double target = m_state == State::Opening ? 1.0 : 0.0;
    if (progress < 1) {
        setAlpha(m_fadeStartAlpha + (target - m_fadeStartAlpha) * progress);
        return;
    }
    if (m_state == State::Closing) {
        hide();
        return;
    }
    m_fadeTimer.cancel();
    m_state = State::Shown;
    setAlpha(1);
    if (m_callbacks.opened)
        m_callbacks.opened();
}

void SetupWindowFade::setAlpha(double alpha)
{
    m_alpha = alpha;
    if (m_callbacks.setAlpha)
        m_callbacks.setAlpha(alpha);
}

}
