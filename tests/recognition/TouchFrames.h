#pragma once

#include "recognition/NominalFrameRate.h"
#include "recognition/StartPatternDetector.h"
#include "recognition/TouchFrame.h"

namespace scriblo {

// A finger on the surface moving right at `speed` surface units per second.
inline FrameTouch movingTouch(int32_t identifier, float x, float y, float speed = 0.5f)
{
    return { identifier, touchStateTouching, x, y, speed, 0 };
}

// `count` fingers side by side, each moving at `speed`.
inline TouchFrame fingersMoving(int count, float speed, int32_t device = 1)
{
    TouchFrame frame { device, {} };
    for (int finger = 0; finger < count; ++finger)
        frame.touches.push_back(movingTouch(finger + 1, 0.2f + 0.1f * float(finger), 0.5f, speed));
    return frame;
}

inline TouchFrame noFingers(int32_t device = 1)
{
    return { device, {} };
}

// The start detectors fed as a pad reporting `framesPerSecond` frames a second would:
// each frame is stamped one period after the one before.
class PadAtRate {
public:
    explicit PadAtRate(double framesPerSecond = NominalFrameRate::framesPerSecond)
        : m_period(1 / framesPerSecond) { }

    StartPattern handle(TouchFrame frame, const StartConditions& conditions = {})
    {
        frame.timestamp = m_start + double(m_frames++) * m_period;
        return detector.handleFrame(frame, conditions);
    }
    // The last pattern seen in `times` frames like `frame`.
    StartPattern feed(const TouchFrame& frame, int times, const StartConditions& conditions = {})
    {
        StartPattern last = StartPattern::None;
        for (int index = 0; index < times; ++index) {
            if (StartPattern pattern = handle(frame, conditions); pattern != StartPattern::None)
                last = pattern;
        }
        return last;
    }
    // The time of the next frame.
    double nextTime() const { return m_start + double(m_frames) * m_period; }

    StartPatternDetector detector;

private:
    double m_period;
    double m_start = 1000;
    long m_frames = 0;
};

}
