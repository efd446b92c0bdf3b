#pragma once

#include "recognition/TouchFrame.h"

namespace scriblo {

// The start detectors' mean speed, with the rounding they are tuned to: a float running
// total, each addition made in double precision, |velX| + |velY| per touch, and the mean
// divided in single precision. Thresholds compare the mean widened to double.
class TouchSpeed {
public:
    void add(const FrameTouch& touch);
    void addAll(const std::vector<FrameTouch>& touches);
    float mean() const;
    int32_t touchCount() const { return m_touchCount; }

    // The velocity's length, in single precision throughout.
    static float magnitude(const FrameTouch& touch);

private:
    float m_total = 0;
    int32_t m_touchCount = 0;
};

}
