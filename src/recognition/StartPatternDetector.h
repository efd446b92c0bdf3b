#pragma once

#include "recognition/FourFingerTapDetector.h"
#include "recognition/QuickdrawDetector.h"

namespace scriblo {

enum class StartPattern { None, FourFingerTap, Quickdraw };

// What the frame detectors need to know of the rest of the system, read at each frame.
struct StartConditions {
    bool recognitionWindowVisible = false;
    bool quickdrawOption = false;
    bool setupWindowVisible = false;
};

// Every frame of every touchpad passes here while the recognition window is hidden, so
// this does constant work per frame.
class StartPatternDetector {
public:
    StartPattern handleFrame(const TouchFrame& frame, const StartConditions& conditions);

    bool followingThreeFingerContact() const { return m_quickdraw.followingContact(); }

private:
    FourFingerTapDetector m_fourFingerTap;
    QuickdrawDetector m_quickdraw;
};

}
