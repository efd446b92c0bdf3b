#pragma once

#include "recognition/DoubleSecondaryPressDetector.h"
#include "recognition/InputEventDescription.h"

namespace scriblo {

// The recognition side's state as the filter sees it at one event.
struct FilterState {
    bool multitouchOption = false;
    bool capturing = false;
    bool recognitionWindowVisible = false;
    bool blockingScrollEvents = false;
};

enum class EventDisposition { PassOn, Swallow };

struct FilterDecision {
    EventDisposition disposition = EventDisposition::PassOn;
    bool startRecognition = false;

    bool operator==(const FilterDecision&) const = default;
};

// Which desktop input reaches other programs around a recognition. In touchpad mode a
// capture swallows everything and scrolling is held back around it; in mouse mode input
// is only watched for the double secondary press, and always passed on.
class RecognitionEventFilter {
public:
    explicit RecognitionEventFilter(const Clock& clock);

    FilterDecision handleEvent(const InputEventDescription& event, const FilterState& state);

private:
    static FilterDecision touchpadModeDecision(const InputEventDescription& event, const FilterState& state);
    FilterDecision mouseModeDecision(const InputEventDescription& event, const FilterState& state);

    DoubleSecondaryPressDetector m_secondaryPresses;
};

}
