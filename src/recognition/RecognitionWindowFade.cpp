#include "recognition/RecognitionWindowFade.h"

namespace scriblo {

RecognitionWindowFade::RecognitionWindowFade(const Clock& clock, TimerService& timers, Callbacks callbacks)
    : m_callbacks(std::move(callbacks))
    , m_stayTimer(timers)
    , m_fade(clock, timers, fadeDuration, fadeStep)
{
}

void RecognitionWindowFade::show()
{
    m_stayTimer.cancel();
    m_fade.cancel();
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
    case PutAway::AfterFailure:
        return failureStay;
    case PutAway::AfterOfferedMiss:
        return offeredMissStay;
    case PutAway::AtOnce:
    case PutAway::AfterResult:
        break;
    }
    return resultStay;
}

void RecognitionWindowFade::hide()
{
    m_stayTimer.cancel();
    m_fade.cancel();
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
    m_fade.start(1, 0, [this](double alpha) { setAlpha(alpha); }, [this] { hide(); });
}

void RecognitionWindowFade::setAlpha(double alpha)
{
    m_alpha = alpha;
    if (m_callbacks.setAlpha)
        m_callbacks.setAlpha(alpha);
}

}
