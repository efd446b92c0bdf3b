#pragma once

#include "recognition/NominalFrameRate.h"
#include "recognition/TouchFrame.h"

#include <optional>

namespace scriblo {

// Three fingers moving fast and together early in a three-finger contact: the quickdraw
// start. A contact that has not shown it by the end of the judged span cannot start
// until a frame that does not qualify begins a new one.
class QuickdrawDetector {
public:
    // The 6th to the 50th frame of the contact at the nominal rate, counted from its
    // first three-finger frame.
    static constexpr double firstJudged = NominalFrameRate::seconds(5 - 0.5);
    static constexpr double lastJudged = NominalFrameRate::seconds(49 + 0.5);
    // Surface widths per second: the mean of |velX| + |velY| over the three fingers.
    static constexpr double minimumMeanSpeed = 0.3;
    static constexpr float maximumSpeedRatio = 1.5f;

    // True when this frame starts a quickdraw; `enabled` is false while the option is
    // off or the setup window is visible.
    bool handleFrame(const TouchFrame& frame, bool enabled);

    // Whether a three-finger contact is being followed.
    bool followingContact() const { return m_contactStart.has_value(); }

private:
    static bool movingFastTogether(const TouchFrame& frame);

    std::optional<double> m_contactStart;
};

}
