#pragma once

#include "base/OpacityRamp.h"
#include "base/ScheduledTimer.h"

namespace scriblo {

// A failure stays longer than a result: it is a line to read, not a name to glance at.
// An explained miss offers to add the drawing to its gesture, and stays long enough for
// the pointer to reach the button.
enum class PutAway { AtOnce, AfterResult, AfterOfferedMiss, AfterFailure };

// The recognition window's visibility over time: a result stays fully visible a moment,
// then fades out; without a compositor it is shown and hidden without fading. The
// window counts as visible exactly while its alpha is above 0, fading included.
class RecognitionWindowFade {
public:
    static constexpr SteadyDuration resultStay = std::chrono::milliseconds(280);
    static constexpr SteadyDuration failureStay = std::chrono::milliseconds(1500);
    static constexpr SteadyDuration offeredMissStay = std::chrono::milliseconds(4000);
    static constexpr SteadyDuration fadeDuration = std::chrono::milliseconds(200);
    static constexpr SteadyDuration fadeStep = std::chrono::milliseconds(16);

    struct Callbacks {
        std::function<void(double alpha)> setAlpha;
        // Take the window off the screen; the alpha is 0 by then.
        std::function<void()> hide;
    };

    RecognitionWindowFade(const Clock& clock, TimerService& timers, Callbacks callbacks);

    void setFadesAvailable(bool available) { m_fadesAvailable = available; }

    void show();
    void putAway(PutAway how);
    void hide();

    double alpha() const { return m_alpha; }
    bool isVisible() const { return m_alpha > 0; }

private:
    static SteadyDuration stayFor(PutAway how);
    void fadeOut();
    void setAlpha(double alpha);

    Callbacks m_callbacks;
    bool m_fadesAvailable = true;
    double m_alpha = 0;
    ScheduledTimer m_stayTimer;
    OpacityRamp m_fade;
};

}
