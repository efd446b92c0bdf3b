#include "recognition/StartPatternDetector.h"

namespace scriblo {

StartPattern StartPatternDetector::handleFrame(const TouchFrame& frame, const StartConditions& conditions)
{
    // While the window shows, both histories stand still and resume where they were.
    if (conditions.recognitionWindowVisible)
        return StartPattern::None;
    bool tapped = m_fourFingerTap.handleFrame(frame);
    bool quickdrawEnabled = conditions.quickdrawOption && !conditions.setupWindowVisible;
    bool quickdraw = m_quickdraw.handleFrame(frame, quickdrawEnabled);
    if (tapped)
        return StartPattern::FourFingerTap;
    return quickdraw ? StartPattern::Quickdraw : StartPattern::None;
}

}
