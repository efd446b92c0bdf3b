#pragma once

#include "base/ScheduledTimer.h"

namespace scriblo {

// Scrolling is held back from a recognition's start until one second after its result,
// so fingers lifting from the drawing do not scroll the window under them.
class ScrollBlocking {
public:
    static constexpr SteadyDuration afterRecognition = std::chrono::seconds(1);

    // `ended` runs when the blocking lapses after a recognition.
    ScrollBlocking(TimerService& timers, std::function<void()> ended);

    void recognitionStarted();
    void recognitionFinished();
    bool blockingScrollEvents() const { return m_blockingScrollEvents; }

private:
    void disableScrollEventBlocking();

    bool m_blockingScrollEvents = false;
    std::function<void()> m_ended;
    ScheduledTimer m_disableScrollBlockingTimer;
};

}
