#include "multitouch/TouchpadDecoder.h"

#include <linux/input.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace scriblo {

namespace {

// Finger counts the kernel reports through its tool keys, in rising order.
constexpr uint16_t fingerTools[] = {
    BTN_TOOL_FINGER, BTN_TOOL_DOUBLETAP, BTN_TOOL_TRIPLETAP, BTN_TOOL_QUADTAP, BTN_TOOL_QUINTTAP,
};

}

float TouchpadDecoder::Scale::normalise(int32_t value) const
{
    if (span <= 0)
        return 0;
    return float(std::clamp((value - minimum) / span, 0.0, 1.0));
}

TouchpadDecoder::TouchpadDecoder(const TouchpadDescription& description)
    : m_description(description)
    , m_multitouch(description.hasAxis(ABS_MT_SLOT))
    , m_trackedSlots(m_multitouch ? std::clamp(description.slotCount(), 1, maximumSlots) : 1)
    , m_slots(size_t(m_trackedSlots))
    , m_scaleX(scaleFor(ABS_MT_POSITION_X, ABS_X))
    , m_scaleY(scaleFor(ABS_MT_POSITION_Y, ABS_Y))
    , m_scalePressure(scaleFor(ABS_MT_PRESSURE, ABS_PRESSURE))
{
    if (auto orientation = description.axes.find(ABS_MT_ORIENTATION); orientation != description.axes.end())
        m_orientationLimit = std::max(std::abs(double(orientation->second.minimum)),
                                      std::abs(double(orientation->second.maximum)));
    m_touches.reserve(8);
}

TouchpadDecoder::Scale TouchpadDecoder::scaleFor(uint16_t code, uint16_t fallback) const
{
    auto axis = m_description.axes.find(code);
    if (axis == m_description.axes.end())
        axis = m_description.axes.find(fallback);
    if (axis == m_description.axes.end())
        return {};
    return { double(axis->second.minimum), double(axis->second.maximum) - axis->second.minimum };
}

bool TouchpadDecoder::decode(const InputEvent& event)
{
    switch (event.type) {
    case EV_ABS:
        decodeAbsolute(event.code, event.value);
        return false;
    case EV_KEY:
        decodeKey(event.code, event.value);
        return false;
    case EV_SYN:
        // After SYN_DROPPED the stream carries the resynchronised differences (as
        // libevdev delivers them, and as recorders built on it write them), closed by a
        // SYN_REPORT: they apply like any events, and the half packet before the drop
        // never becomes a frame of its own.
        return event.code == SYN_REPORT && finishFrame(event.time);
    default:
        return false;
    }
}

void TouchpadDecoder::decodeAbsolute(uint16_t code, int32_t value)
{
    if (code == ABS_MT_SLOT) {
        // An index outside the declared slots would write past the table: park the
        // following slot events until a valid slot is selected again.
        m_currentSlot = (value >= 0 && value < m_trackedSlots) ? value : -1;
        return;
    }
    if (code == ABS_X || code == ABS_Y) {
        (code == ABS_X ? m_singleX : m_singleY) = value;
        m_hasSinglePosition = true;
        if (m_multitouch)
            return;
        code = code == ABS_X ? ABS_MT_POSITION_X : ABS_MT_POSITION_Y;
    } else if (!m_multitouch) {
        // Without slots (protocol A or single touch) only the pointer axes are used.
        return;
    }
    if (m_currentSlot >= 0)
        decodeSlotAxis(m_slots[size_t(m_currentSlot)], code, value);
}

void TouchpadDecoder::decodeSlotAxis(Slot& slot, uint16_t code, int32_t value)
{
    switch (code) {
    case ABS_MT_TRACKING_ID: setTrackingId(slot, value); break;
    case ABS_MT_POSITION_X: slot.x = value; slot.hasX = true; break;
    case ABS_MT_POSITION_Y: slot.y = value; slot.hasY = true; break;
    case ABS_MT_PRESSURE: slot.pressure = value; break;
    case ABS_MT_TOUCH_MAJOR: slot.touchMajor = value; break;
    case ABS_MT_TOUCH_MINOR: slot.touchMinor = value; break;
    case ABS_MT_ORIENTATION: slot.orientation = value; break;
    default: break;
    }
}

void TouchpadDecoder::setTrackingId(Slot& slot, int32_t trackingId)
{
    if (trackingId < 0) {
        slot.trackingId = -1;
        return;
    }
    if (trackingId == slot.trackingId)
        return;
    // A new tracking ID, with or without a lift in between, is a new finger: it gets a
    // new identifier and starts without speed, even though the slot keeps the old
    // values for axes the kernel did not resend.
    slot.trackingId = trackingId;
    slot.contactIdentifier = m_nextIdentifier++;
    slot.motion.reset();
}

void TouchpadDecoder::decodeKey(uint16_t code, int32_t value)
{
    if (code == BTN_TOUCH && !m_multitouch) {
        setTrackingId(m_slots[0], value ? 0 : -1);
        return;
    }
    for (unsigned index = 0; index < std::size(fingerTools); ++index) {
        if (code != fingerTools[index])
            continue;
        if (value)
            m_toolMask |= 1u << index;
        else
            m_toolMask &= ~(1u << index);
    }
}

int TouchpadDecoder::fingerCount() const
{
    int count = 0;
    for (unsigned index = 0; index < std::size(fingerTools); ++index) {
        if (m_toolMask & (1u << index))
            count = int(index) + 1;
    }
    return count;
}

bool TouchpadDecoder::finishFrame(double time)
{
    m_touches.clear();
    m_positioned.clear();
    appendSlotTouches(time);
    size_t tracked = m_touches.size();
    size_t wanted = tracked;
    if (fingerCount() > m_trackedSlots)
        wanted = std::max(wanted, size_t(fingerCount()));
    appendUntrackedTouches(wanted - tracked);
    placeUnpositionedTouches();

    if (m_touches.empty() && !m_lastFrameHadTouches)
        return false;
    m_lastFrameHadTouches = !m_touches.empty();
    m_timestamp = time;
    ++m_frameNumber;
    for (MTTouch& touch : m_touches) {
        touch.frame = m_frameNumber;
        touch.timestamp = time;
    }
    return true;
}

void TouchpadDecoder::appendSlotTouches(double time)
{
    for (Slot& slot : m_slots) {
        if (slot.trackingId < 0)
            continue;
        bool positioned = slot.hasX && slot.hasY;
        if (positioned)
            slot.motion.update(m_scaleX.normalise(slot.x), 1.0f - m_scaleY.normalise(slot.y), time);
        m_touches.push_back(touchFromSlot(slot));
        m_positioned.push_back(positioned);
    }
}

void TouchpadDecoder::appendUntrackedTouches(size_t wanted)
{
    while (m_untrackedIdentifiers.size() < wanted)
        m_untrackedIdentifiers.push_back(m_nextIdentifier++);
    m_untrackedIdentifiers.resize(wanted);
    for (int32_t identifier : m_untrackedIdentifiers) {
        m_touches.push_back(restingTouch(identifier, 0, 0));
        m_positioned.push_back(false);
    }
}

void TouchpadDecoder::placeUnpositionedTouches()
{
    double sumX = 0, sumY = 0;
    int positionedCount = 0;
    for (size_t index = 0; index < m_touches.size(); ++index) {
        if (!m_positioned[index])
            continue;
        sumX += m_touches[index].x;
        sumY += m_touches[index].y;
        ++positionedCount;
    }
    float meanX = 0.5f, meanY = 0.5f;
    if (positionedCount > 0) {
        meanX = float(sumX / positionedCount);
        meanY = float(sumY / positionedCount);
    } else if (m_hasSinglePosition) {
        meanX = m_scaleX.normalise(m_singleX);
        meanY = 1.0f - m_scaleY.normalise(m_singleY);
    }
    // Only the position is borrowed: a tracked slot without one keeps its own size.
    for (size_t index = 0; index < m_touches.size(); ++index) {
        if (m_positioned[index])
            continue;
        m_touches[index].x = meanX;
        m_touches[index].y = meanY;
    }
}

MTTouch TouchpadDecoder::touchFromSlot(const Slot& slot) const
{
    MTTouch touch = restingTouch(slot.contactIdentifier, m_scaleX.normalise(slot.x),
                                 1.0f - m_scaleY.normalise(slot.y));
    touch.velocityX = slot.motion.velocityX();
    touch.velocityY = slot.motion.velocityY();
    touch.size = m_scalePressure.normalise(slot.pressure);
    if (m_scaleX.span > 0) {
        touch.majorAxis = float(slot.touchMajor / m_scaleX.span);
        touch.minorAxis = float(slot.touchMinor / m_scaleX.span);
    }
    if (m_orientationLimit > 0)
        touch.angle = float(slot.orientation / m_orientationLimit * std::numbers::pi / 2);
    return touch;
}

MTTouch TouchpadDecoder::restingTouch(int32_t identifier, float x, float y) const
{
    MTTouch touch;
    touch.identifier = identifier;
    touch.state = MTTouchStateTouching;
    touch.x = x;
    touch.y = y;
    return touch;
}

}
