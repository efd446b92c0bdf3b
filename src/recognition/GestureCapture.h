#pragma once

#include "base/ScheduledTimer.h"
#include "recognition/CapturedDrawing.h"
#include "recognition/TouchFrame.h"

#include <optional>

namespace scriblo {

// The settings a capture reads, afresh at each use.
struct CaptureSettings {
    bool multitouchOption = false;
    bool fullscreenOption = false;
    int32_t readingDelayTime = 0; // milliseconds
};

enum class CaptureMode { Normal, Quickdraw };
enum class CaptureEnding { KeepStrokes, DiscardStrokes };
enum class MouseAction { Down, Drag, Up };

struct CaptureCallbacks {
    // Once per capture, on the capture's thread, with the strokes in the order they began
    // (empty when the capture was abandoned).
    std::function<void(std::vector<GestureStroke>)> recognize;
    // Every partial tick while strokes exist, with a copy of the strokes as they stand;
    // the receiver may hand it to another thread, since nothing here touches it again.
    std::function<void(std::vector<GestureStroke>)> checkPartially;
    std::function<void()> redraw;
    // Frames are wanted from shortly after a touchpad capture starts until it ends.
    std::function<void(bool)> receiveFrames;
    // Hands over the input that is waiting to be read, before a timer ends the capture:
    // a process that was not scheduled for a while sees its timers fall due together
    // with input the user made before they did.
    std::function<void()> deliverPendingInput;
};

// What the recognition window's capture view decides, apart from painting: it turns
// mouse events or touchpad frames into up to three strokes, keeps the paths to draw,
// and ends the capture by its timers. All calls come from one thread, the one its
// timers run on. Mouse events carry the time they were made, and the timers' rules are
// judged on it: a press made in time counts however late it is read, and one made
// after a deadline does not count however early.
class GestureCapture {
public:
    static constexpr SteadyDuration startInputDelay = std::chrono::milliseconds(100);
    static constexpr SteadyDuration noInputTimeout = std::chrono::milliseconds(1500);
    static constexpr SteadyDuration partialCheckInterval = std::chrono::milliseconds(250);
    // Surface units per second; TouchSpeed.h says why.
    static constexpr double minimumTouchSpeed = 0.06;
    static constexpr double centredRedrawMilliseconds = 16;
    static constexpr double fullScreenRedrawMilliseconds = 32;
    static constexpr size_t maximumStrokes = 3;
    static constexpr size_t maximumQuickdrawStrokes = 1;
    static constexpr double lineWidthDivisor = 95;

    GestureCapture(const Clock& clock, TimerService& timers, std::function<CaptureSettings()> settings,
                   CaptureCallbacks callbacks);

    void setViewSize(double width, double height);
    // The setup window waits longer for a first stroke than a recognition does, since
    // its user has just pressed a button rather than made a start gesture.
    void setNoInputTimeout(SteadyDuration timeout) { m_noInputTimeout = timeout; }

    // Starting again while capturing drops the running capture's strokes. `startedAt`
    // is when the user made the start gesture; now, when not given.
    void startDetectingGesture(CaptureMode mode, std::optional<SteadyTime> startedAt = std::nullopt);
    // Does nothing unless capturing, so each capture ends in exactly one recognition.
    void finishDetectingGesture(CaptureEnding ending);
    bool detectingInput() const { return m_detectingInput; }

    // Main-button events, positions in view units, made at `time` (now, when not given).
    void dealWithMouseEvent(ViewPoint position, MouseAction action, std::optional<SteadyTime> time = std::nullopt);
    // The user gives up: the capture ends at once, its strokes discarded, so it ends as
    // a failed recognition whatever was drawn.
    void dealWithEscapeKey();
    void dealWithMultitouchEvent(const TouchFrame& frame);

    // What to paint while capturing: polylines of round-capped lines this wide.
    const CapturedDrawing::Paths& paths() const { return m_drawing.paths(); }
    double lineWidth() const { return m_viewWidth / lineWidthDivisor; }

private:
    // When the armed timer ends the capture, and how.
    struct Deadline {
        SteadyTime time;
        CaptureEnding ending;
    };

    void startMultitouchInput();
    void receiveFrames(bool receive);
    void checkPartialGesture();
    void armReadingDelay(SteadyTime from);
    void armDeadline(ScheduledTimer& timer, Deadline deadline);
    void deadlinePassed(CaptureEnding ending);
    bool mouseEventTooLate(SteadyTime time);
    void resetInputTimers();
    void resetAll();
    void redraw();

    bool acceptsFrameOfDevice(int32_t deviceIdentifier);
    void addTouch(const FrameTouch& touch);
    void addTouchesMiddleFingerFirst(const std::vector<FrameTouch>& touches);
    void redrawIfDue(bool fullscreen);

    const Clock& m_clock;
    std::function<CaptureSettings()> m_settings;
    CaptureCallbacks m_callbacks;
    double m_viewWidth = 0;
    double m_viewHeight = 0;
    SteadyDuration m_noInputTimeout = noInputTimeout;

    bool m_detectingInput = false;
    CaptureMode m_mode = CaptureMode::Normal;
    int32_t m_mouseStrokeIndex = 0;
    std::optional<int32_t> m_initialMultitouchDeviceId;
    bool m_receivingFrames = false;
    CapturedDrawing m_drawing;
    SteadyTime m_lastMultitouchRedraw;
    std::optional<Deadline> m_deadline;
    // Moves on whenever the deadline is dropped, so a deadline that falls due can tell
    // whether the input handed over meanwhile has replaced it.
    uint64_t m_deadlineChanges = 0;

    ScheduledTimer m_startInputTimer;
    ScheduledTimer m_noInputTimer;
    ScheduledTimer m_detectInputTimer;
    ScheduledTimer m_checkPartialGestureTimer;
};

}
