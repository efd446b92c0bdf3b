#include "recognition/ScrollBlocking.h"

namespace scriblo {

ScrollBlocking::ScrollBlocking(TimerService& timers, std::function<void()> ended)
    : m_ended(std::move(ended))
    , m_disableScrollBlockingTimer(timers)
{
}

void ScrollBlocking::recognitionStarted()
{
    m_disableScrollBlockingTimer.cancel();
    m_blockingScrollEvents = true;
}

void ScrollBlocking::recognitionFinished()
{
    m_disableScrollBlockingTimer.startOnce(afterRecognition, [this] { disableScrollEventBlocking(); });
}

void ScrollBlocking::disableScrollEventBlocking()
{
    m_blockingScrollEvents = false;
    if (m_ended)
        m_ended();
}

}
