#include "recognition/RecognitionWindowFade.h"

#include <algorithm>

namespace scriblo {

RecognitionWindowFade::RecognitionWindowFade(const Clock& clock, TimerService& timers, Callbacks callbacks)
    : m_clock(clock)
    , m_callbacks(std::move(callbacks))
    , m_stayTimer(timers)
    , m_fadeTimer(timers)
{
}

void RecognitionWindowFade::show()
{
    m_stayTimer.cancel();
    m_fadeTimer.cancel();
    setAlpha(1);
}

void RecognitionWindowFade::putAway(PutAway how)
{
    if (how == PutAway::AtOnce) {
        hide();
        return;
    }
    m_stayTimer.startOnce(stayFor(how), [this] { fadeOut(); });
}

SteadyDuration RecognitionWindowFade::stayFor(PutAway how)
{
    switch (how) {
    case PutAway::AfterExplainedMiss:
        return explainedMissStay;
    case PutAway::AfterFailure:
        return failureStay;
    case PutAway::AtOnce:
    case PutAway::AfterResult:
        break;
    }
    return resultStay;
}

void RecognitionWindowFade::hide()
{
    m_stayTimer.cancel();
    m_fadeTimer.cancel();
    setAlpha(0);
    if (m_callbacks.hide)
        m_callbacks.hide();
}

void RecognitionWindowFade::fadeOut()
{
    if (!m_fadesAvailable) {
        hide();
        return;
    }
    m_fadeStart = m_clock.now();
    m_fadeTimer.startRepeating(fadeStep, [this] { stepFade(); });
}

void RecognitionWindowFade::stepFade()
{
    double elapsed = std::chrono::duration<double>(m_clock.now() - m_fadeStart).count();
    double remaining = 1 - elapsed / std::chrono::duration<double>(fadeDuration).count();
    if (remaining <= 0) {
        hide();
        return;
    }
    setAlpha(std::min(remaining, 1.0));
}

void RecognitionWindowFade::setAlpha(double alpha)
{
    m_alpha = alpha;
    if (m_callbacks.setAlpha)
        m_callbacks.setAlpha(alpha);
}

}
