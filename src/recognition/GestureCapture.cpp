#include "recognition/GestureCapture.h"

#include <cmath>

namespace scriblo {

GestureCapture::GestureCapture(const Clock& clock, TimerService& timers, std::function<CaptureSettings()> settings,
                               CaptureCallbacks callbacks)
    : m_clock(clock)
    , m_settings(std::move(settings))
    , m_callbacks(std::move(callbacks))
    , m_lastMultitouchRedraw(clock.now())
    , m_startInputTimer(timers)
    , m_noInputTimer(timers)
    , m_detectInputTimer(timers)
    , m_checkPartialGestureTimer(timers)
{
}

void GestureCapture::setViewSize(double width, double height)
{
    m_viewWidth = width;
    m_viewHeight = height;
}

void GestureCapture::startDetectingGesture(CaptureMode mode, std::optional<SteadyTime> startedAt)
{
    resetAll();
    m_mouseStrokeIndex = 0;
    m_mode = mode;
    m_initialMultitouchDeviceId.reset();
    if (m_callbacks.checkPartially)
        m_checkPartialGestureTimer.startRepeating(partialCheckInterval, [this] { checkPartialGesture(); });
    armDeadline(m_noInputTimer, { startedAt.value_or(m_clock.now()) + m_noInputTimeout, CaptureEnding::DiscardStrokes });
    m_detectingInput = true;
    if (!m_settings().multitouchOption)
        return;
    // A quickdraw is already under way when it is recognised, so its frames are wanted
    // at once; a tap's fingers are still lifting, and their last frames must not draw.
    if (mode == CaptureMode::Quickdraw)
        startMultitouchInput();
    else
        m_startInputTimer.startOnce(startInputDelay, [this] { startMultitouchInput(); });
}

void GestureCapture::finishDetectingGesture(CaptureEnding ending)
{
    if (!m_detectingInput)
        return;
    m_detectingInput = false;
    receiveFrames(false);
    std::vector<GestureStroke> strokes;
    if (ending == CaptureEnding::KeepStrokes)
        strokes = m_drawing.takeOrderedStrokes();
    resetAll();
    if (m_callbacks.recognize)
        m_callbacks.recognize(std::move(strokes));
}

void GestureCapture::dealWithMouseEvent(ViewPoint position, MouseAction action, std::optional<SteadyTime> time)
{
    // A view of no area has no thousandths to give a point.
    if (m_settings().multitouchOption || !m_detectingInput || m_viewWidth <= 0 || m_viewHeight <= 0)
        return;
    SteadyTime madeAt = time.value_or(m_clock.now());
    if (mouseEventTooLate(madeAt))
        return;
    resetInputTimers();
    if (action == MouseAction::Down)
        ++m_mouseStrokeIndex;
    int32_t strokeId = m_mouseStrokeIndex;
    if (!m_drawing.hasStroke(strokeId))
        m_drawing.beginStroke(strokeId);
    float x = float(position.x / m_viewWidth * 1000);
    float y = float((m_viewHeight - position.y) / m_viewHeight * 1000);
    m_drawing.addPoint({ x, y, strokeId });
    if (action == MouseAction::Down) {
        m_drawing.beginPath(strokeId, position);
    } else if (action == MouseAction::Drag) {
        m_drawing.extendPath(strokeId, position);
    } else if (m_mouseStrokeIndex > int32_t(maximumStrokes) - 1) {
        finishDetectingGesture(CaptureEnding::KeepStrokes);
        return;
    } else {
        if (!m_detectInputTimer.isArmed())
            armReadingDelay(madeAt);
        m_drawing.extendPath(strokeId, position);
    }
    redraw();
}

void GestureCapture::dealWithEscapeKey()
{
    finishDetectingGesture(CaptureEnding::DiscardStrokes);
}

void GestureCapture::dealWithMultitouchEvent(const TouchFrame& frame)
{
    CaptureSettings settings = m_settings();
    if (!settings.multitouchOption || !m_detectingInput || !acceptsFrameOfDevice(frame.deviceIdentifier))
        return;
    resetInputTimers();
    if (frame.touches.empty()) {
        // Every finger has lifted: the drawing ends unless one comes back in time.
        armReadingDelay(m_clock.now());
        return;
    }
    if (m_mode == CaptureMode::Quickdraw && frame.touches.size() == 3)
        addTouchesMiddleFingerFirst(frame.touches);
    else
        for (const FrameTouch& touch : frame.touches)
            addTouch(touch);
    redrawIfDue(settings.fullscreenOption);
}

bool GestureCapture::acceptsFrameOfDevice(int32_t deviceIdentifier)
{
    if (!m_initialMultitouchDeviceId)
        m_initialMultitouchDeviceId = deviceIdentifier;
    if (*m_initialMultitouchDeviceId == deviceIdentifier)
        return true;
    // A second touchpad adds nothing and does not keep the capture alive; on its own it
    // ends the capture after the reading delay.
    if (!m_detectInputTimer.isArmed())
        armReadingDelay(m_clock.now());
    return false;
}

void GestureCapture::addTouchesMiddleFingerFirst(const std::vector<FrameTouch>& touches)
{
    // The one quickdraw stroke follows the middle finger across the pad; with equal
    // positions the third touch stands in.
    auto between = [](float value, float a, float b) { return (a < value && value < b) || (b < value && value < a); };
    size_t middle = 2;
    if (between(touches[0].x, touches[1].x, touches[2].x))
        middle = 0;
    else if (between(touches[1].x, touches[0].x, touches[2].x))
        middle = 1;
    addTouch(touches[middle]);
    for (size_t index = 0; index < touches.size(); ++index)
        if (index != middle)
            addTouch(touches[index]);
}

void GestureCapture::addTouch(const FrameTouch& touch)
{
    // Resting or nearly still fingers add nothing.
    float speed = std::fabs(touch.velX) + std::fabs(touch.velY);
    if (touch.state != touchStateTouching || double(speed) <= minimumTouchSpeed)
        return;
    int32_t strokeId = touch.identifier;
    if (!m_drawing.hasStroke(strokeId)) {
        size_t limit = m_mode == CaptureMode::Quickdraw ? maximumQuickdrawStrokes : maximumStrokes;
        if (m_drawing.strokeCount() >= limit)
            return;
        m_drawing.beginStroke(strokeId);
    }
    m_drawing.addPoint({ touch.x * 1000.0f, touch.y * 1000.0f, strokeId });
    ViewPoint position { double(touch.x) * m_viewWidth, m_viewHeight - double(touch.y) * m_viewHeight };
    if (m_drawing.hasPath(strokeId))
        m_drawing.extendPath(strokeId, position);
    else
        m_drawing.beginPath(strokeId, position);
}

void GestureCapture::redrawIfDue(bool fullscreen)
{
    SteadyTime now = m_clock.now();
    double interval = fullscreen ? fullScreenRedrawMilliseconds : centredRedrawMilliseconds;
    if (millisecondsBetween(m_lastMultitouchRedraw, now) <= interval)
        return;
    m_lastMultitouchRedraw = now;
    redraw();
}

void GestureCapture::startMultitouchInput()
{
    receiveFrames(true);
}

void GestureCapture::receiveFrames(bool receive)
{
    if (receive == m_receivingFrames)
        return;
    m_receivingFrames = receive;
    if (m_callbacks.receiveFrames)
        m_callbacks.receiveFrames(receive);
}

void GestureCapture::checkPartialGesture()
{
    // The copy is taken here, on the capture's thread, so the check sees the strokes as
    // they stood at the tick, whatever is appended while it runs.
    if (m_drawing.strokeCount() > 0 && m_callbacks.checkPartially)
        m_callbacks.checkPartially(m_drawing.orderedStrokes());
}

void GestureCapture::armReadingDelay(SteadyTime from)
{
    // The setting is whole milliseconds, turned into seconds in single precision.
    float seconds = float(m_settings().readingDelayTime) / 1000.0f;
    auto delay = std::chrono::duration_cast<SteadyDuration>(std::chrono::duration<float>(seconds));
    armDeadline(m_detectInputTimer, { from + delay, CaptureEnding::KeepStrokes });
}

void GestureCapture::armDeadline(ScheduledTimer& timer, Deadline deadline)
{
    m_deadline = deadline;
    SteadyDuration wait = std::max(SteadyDuration::zero(), deadline.time - m_clock.now());
    timer.startOnce(wait, [this, ending = deadline.ending] { deadlinePassed(ending); });
}

void GestureCapture::deadlinePassed(CaptureEnding ending)
{
    if (m_callbacks.deliverPendingInput) {
        uint64_t changesBefore = m_deadlineChanges;
        m_callbacks.deliverPendingInput();
        // Input made in time has moved the deadline on; input made too late, or the
        // user's Escape, has ended the capture already.
        if (!m_detectingInput || m_deadlineChanges != changesBefore)
            return;
    }
    finishDetectingGesture(ending);
}

bool GestureCapture::mouseEventTooLate(SteadyTime time)
{
    // The capture ended, as far as the user can tell, before this event was made; that
    // it is read only now must not keep the capture going.
    if (!m_deadline || time <= m_deadline->time)
        return false;
    finishDetectingGesture(m_deadline->ending);
    return true;
}

void GestureCapture::resetInputTimers()
{
    ++m_deadlineChanges;
    m_deadline.reset();
    m_startInputTimer.cancel();
    m_noInputTimer.cancel();
    m_detectInputTimer.cancel();
}

void GestureCapture::resetAll()
{
    resetInputTimers();
    m_checkPartialGestureTimer.cancel();
    m_drawing = {};
    m_lastMultitouchRedraw = m_clock.now();
    redraw();
}

void GestureCapture::redraw()
{
    if (m_callbacks.redraw)
        m_callbacks.redraw();
}

}
