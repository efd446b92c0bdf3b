#include "multitouch/ContactMotion.h"

#include <cmath>

namespace scriblo {

void ContactMotion::update(float x, float y, double time)
{
    double elapsed = time - m_lastTime;
    if (m_tracking && elapsed > 0) {
        double weight = 1.0 - std::exp(-elapsed / smoothingSeconds);
        double rawX = (x - m_lastX) / elapsed;
        double rawY = (y - m_lastY) / elapsed;
        m_velocityX = float(m_velocityX + (rawX - m_velocityX) * weight);
        m_velocityY = float(m_velocityY + (rawY - m_velocityY) * weight);
    }
    // A clock that stands still or runs backwards (a bad recording) gives no speed
    // reading, but the position is still taken as the new reference.
    m_tracking = true;
    m_lastX = x;
    m_lastY = y;
    m_lastTime = time;
}

}
