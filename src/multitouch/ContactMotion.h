#pragma once

namespace scriblo {

// Velocity of one contact in surface units per second. Raw frame-to-frame motion is
// noisy (a resting finger wobbles by a device unit or two), so it is smoothed with a
// time constant short enough to follow a stroke and long enough to settle near 0.
class ContactMotion {
public:
    static constexpr double smoothingSeconds = 0.04;

    void reset() { m_tracking = false; m_velocityX = m_velocityY = 0; }
    void update(float x, float y, double time);

    float velocityX() const { return m_velocityX; }
    float velocityY() const { return m_velocityY; }

private:
    bool m_tracking = false;
    float m_lastX = 0;
    float m_lastY = 0;
    double m_lastTime = 0;
    float m_velocityX = 0;
    float m_velocityY = 0;
};

}
