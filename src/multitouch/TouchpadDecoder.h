#pragma once

#include "multitouch/ContactMotion.h"
#include "multitouch/InputEvent.h"
#include "multitouch/MTTouch.h"
#include "multitouch/TouchpadDescription.h"

#include <span>
#include <vector>

namespace scriblo {

// Turns one touchpad's multi-touch (protocol B) event stream into contact frames: one
// frame per SYN_REPORT while fingers touch, plus one empty frame when the last lifts.
// Fingers the device counts (BTN_TOOL_*TAP) but cannot track in slots are reported
// too, at the mean position of the tracked ones, so finger counts stay right.
class TouchpadDecoder {
public:
    // Real touchpads track at most ten or so fingers; a description claiming more is
    // not believed, so a corrupt recording cannot make the slot table huge.
    static constexpr int maximumSlots = 64;

    explicit TouchpadDecoder(const TouchpadDescription& description);

    // True when the event completed a frame; touches(), timestamp() and
    // frameNumber() then describe it until the next call.
    bool decode(const InputEvent& event);

    std::span<const MTTouch> touches() const { return m_touches; }
    double timestamp() const { return m_timestamp; }
    int32_t frameNumber() const { return m_frameNumber; }

private:
    struct Slot {
        int32_t trackingId = -1;
        int32_t contactIdentifier = 0;
        int32_t x = 0;
        int32_t y = 0;
        bool hasX = false;
        bool hasY = false;
        int32_t pressure = 0;
        int32_t touchMajor = 0;
        int32_t touchMinor = 0;
        int32_t orientation = 0;
        ContactMotion motion;
    };
    struct Scale {
        double minimum = 0;
        double span = 0;
        float normalise(int32_t value) const;
    };

    void decodeAbsolute(uint16_t code, int32_t value);
    void decodeSlotAxis(Slot& slot, uint16_t code, int32_t value);
    void decodeKey(uint16_t code, int32_t value);
    void setTrackingId(Slot& slot, int32_t trackingId);
    bool finishFrame(double time);
    int fingerCount() const;
    void appendSlotTouches(double time);
    void appendUntrackedTouches(size_t wanted);
    void placeUnpositionedTouches();
    MTTouch touchFromSlot(const Slot& slot) const;
    MTTouch restingTouch(int32_t identifier, float x, float y) const;
    Scale scaleFor(uint16_t code, uint16_t fallback) const;

    TouchpadDescription m_description;
    bool m_multitouch;
    int m_trackedSlots;
    std::vector<Slot> m_slots;
    int m_currentSlot = 0;
    Scale m_scaleX, m_scaleY, m_scalePressure;
    double m_orientationLimit = 0;
    int32_t m_singleX = 0;
    int32_t m_singleY = 0;
    bool m_hasSinglePosition = false;
    unsigned m_toolMask = 0;
    int32_t m_nextIdentifier = 1;
    std::vector<int32_t> m_untrackedIdentifiers;
    std::vector<MTTouch> m_touches;
    std::vector<bool> m_positioned;
    bool m_lastFrameHadTouches = false;
    double m_timestamp = 0;
    int32_t m_frameNumber = 0;
};

}
