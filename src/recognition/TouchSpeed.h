#pragma once

#include "recognition/TouchFrame.h"

namespace scriblo {

// The start detectors' mean speed, with the rounding they are tuned to: a float running
// total, each addition made in double precision, |velX| + |velY| per touch, and the mean
// divided in single precision. Thresholds compare the mean widened to double.
//
// Speeds are in surface units per second (a finger crossing the whole pad in one second
// moves at 1), as the touchpad decoder gives them. It smooths by time, not by frames, so
// a finger moving steadily reads the same speed at 45 and at 140 frames a second. The
// three thresholds read in these units, checked against recorded touchpads:
// - a tap averages at most 0.46. A recorded three-finger tap (Cypress PS/2, 47 frames
//   a second, 106 ms) averages 0.001, no touch above 0.013. A recorded two-finger
//   scroll (Synaptics PS/2, 51 frames a second) averages 0.29 over its first 100 ms and
//   1.4 over its first 200 ms: a hand that slides is no tap once it has slid for about
//   a tenth of a second.
// - a drawing finger moves faster than 0.06. The scroll's touches have a median of 1.2
//   and a 90th percentile of 3.7; 93% pass, and those that do not are fingers landing
//   or coming to rest. Of a five-finger touchscreen recording's touches 76% pass.
// - quickdraw's fingers average at least 0.3: the scroll gets there about 100 ms in,
//   within the judged span; the tap never comes near.
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
