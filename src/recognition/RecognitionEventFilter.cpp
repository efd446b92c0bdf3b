#include "recognition/RecognitionEventFilter.h"

namespace scriblo {

namespace {

constexpr FilterDecision passOn { EventDisposition::PassOn, false };
constexpr FilterDecision swallow { EventDisposition::Swallow, false };

}

RecognitionEventFilter::RecognitionEventFilter(const Clock& clock)
    : m_secondaryPresses(clock)
{
}

FilterDecision RecognitionEventFilter::handleEvent(const InputEventDescription& event, const FilterState& state)
{
    return state.multitouchOption ? touchpadModeDecision(event, state) : mouseModeDecision(event, state);
}

FilterDecision RecognitionEventFilter::touchpadModeDecision(const InputEventDescription& event, const FilterState& state)
{
    if (state.capturing)
        return swallow;
    if (event.kind != InputEventKind::Scroll)
        return passOn;
    if (state.recognitionWindowVisible)
        return swallow;
    if (!state.blockingScrollEvents)
        return passOn;
    return event.scrollCount > 0 ? swallow : passOn;
}

FilterDecision RecognitionEventFilter::mouseModeDecision(const InputEventDescription& event, const FilterState& state)
{
    if (event.kind != InputEventKind::ButtonPress || event.button != MouseButton::Secondary)
        return passOn;
    return { EventDisposition::PassOn, m_secondaryPresses.handlePress(state.recognitionWindowVisible) };
}

}
