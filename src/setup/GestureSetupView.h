#pragma once

#include "core/Gesture.h"
#include "multitouch/MultitouchEvent.h"
#include "platform/SystemClock.h"
#include "recognition/GestureCapture.h"
#include "recognition/InputEventTimes.h"
#include "setup/ReplayPaths.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <thread>

namespace scriblo {

class MultitouchManager;

// The drawing area of the setup window. It captures a gesture for assignment in the
// same way as the recognition window (up to three strokes of the mouse or of the
// fingers on a touchpad, as the multitouch option says), and it replays a stored
// gesture on a worker thread.
class GestureSetupView : public QWidget {
    Q_OBJECT
public:
    static constexpr SteadyDuration noInputTimeout = std::chrono::seconds(4);
    static constexpr double lineWidth = 6;

    struct Callbacks {
        // True when a capture waits for its first stroke, false once it has one or ends.
        std::function<void(bool)> showDrawNotification;
        // A capture ended normally, with its strokes in the order they began (possibly
        // none); the store drops drawings too small to keep.
        std::function<void(std::vector<GestureStroke>)> saveGestureWithStrokes;
        // Read afresh at every use.
        std::function<CaptureSettings()> settings;
    };

    // `multitouch` may be null where there is no touchpad layer, as in tests, which
    // then hand frames in themselves.
    GestureSetupView(const Clock& clock, TimerService& timers, MultitouchManager* multitouch,
                     QWidget* parent = nullptr);
    ~GestureSetupView() override;

    void setCallbacks(Callbacks callbacks);

    void startDetectingGesture();
    void finishDetectingGesture(CaptureEnding ending);
    bool detectingInput() const { return m_capture.detectingInput(); }
    // Clears the drawing, the prompt and a replay; a running capture goes on.
    void resetAll();

    // Replays on a worker thread; a replay already running is stopped first, and so is
    // any replay when a capture starts.
    void showGesture(std::shared_ptr<const Gesture> gesture);
    void cancelReplay();
    bool showingStoredGesture() const { return m_showingStoredGesture; }
    bool replayRunning() const;

    void dealWithTouchFrame(const TouchFrame& frame);
    void dealWithMultitouchEvent(const MultitouchEventPointer& event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void forwardMouse(QMouseEvent* event, MouseAction action);
    void receiveFrames(bool receive);
    void captureEnded(std::vector<GestureStroke> strokes);
    void showDrawNotification(bool show);
    void requestRedrawFromWorker();

    Callbacks m_callbacks;
    MultitouchManager* m_multitouch;
    InputEventTimes m_eventTimes;
    GestureCapture m_capture;
    // Whether the capture that just ended was abandoned, which hands over nothing.
    bool m_cancelling = false;

    SystemClock m_replayClock;
    ReplayPaths m_replayPaths;
    std::atomic<bool> m_showingStoredGesture { false };
    std::jthread m_replayWorker;
    std::shared_ptr<std::atomic<bool>> m_replayFinished;
};

}
