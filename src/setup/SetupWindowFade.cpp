#include "setup/SetupWindowFade.h"

namespace scriblo {

SetupWindowFade::SetupWindowFade(const Clock& clock, TimerService& timers, Callbacks callbacks)
    : m_callbacks(std::move(callbacks))
    , m_fade(clock, timers, fadeDuration, fadeStep)
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
    m_fade.cancel();
    m_state = State::Hidden;
    setAlpha(0);
    if (m_callbacks.hide)
        m_callbacks.hide();
}

void SetupWindowFade::fadeTo(State state)
{
    m_state = state;
    // A fade that reverses another goes on from the alpha it reached, so the window
    // never jumps.
    m_fade.start(m_alpha, state == State::Opening ? 1.0 : 0.0, [this](double alpha) { setAlpha(alpha); }, [this] { faded(); });
}

void SetupWindowFade::faded()
{
    if (m_state == State::Closing) {
        hide();
        return;
    }
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
