#pragma once

namespace scriblo {

// The start patterns were first stated as runs of frames of a touchpad that reports at
// one fixed rate. Linux touchpads report at anything from about 40 to 150 frames a
// second, so those counts are read as time at this nominal rate, and the same hand
// makes the same pattern on every pad.
//
// Why 90. A run is timed from its first four-finger frame to the frame that ends it,
// so a pad reporting every T seconds measures a hold of d as anything between d - T
// and d + T. At 45 frames a second (the slowest pads, T = 22 ms) a 60 ms tap can
// measure 44 ms and a 200 ms one 222 ms, and a hand resting 450 ms still measures
// 428 ms. The tap's bounds, 4 and 30 frames each widened by half a frame, take in all
// three only for a rate between 79 (3.5 frames <= 44 ms) and 137 (30.5 frames >=
// 222 ms), and leave the resting hand out above 71. 90 lies inside, near the low end
// so that deliberate taps up to a third of a second still count: a tap lasts 39 to
// 339 ms, and quickdraw is judged from 50 to 550 ms into a three-finger contact.
//
// The half frame keeps a pad at the nominal rate at the old counts whatever jitter
// its timestamps carry.
struct NominalFrameRate {
    static constexpr double framesPerSecond = 90;

    // How long `frames` frames last at the nominal rate, in seconds.
    static constexpr double seconds(double frames) { return frames / framesPerSecond; }
};

}
