#pragma once

#include "multitouch/MultitouchEvent.h"
#include "recognition/GestureCapture.h"
#include "recognition/InputEventTimes.h"

#include <QThreadPool>
#include <QWidget>

namespace scriblo {

class GestureRecognitionController;
class MultitouchManager;

// The capture surface of the recognition window: it forwards main-button mouse events
// and, while the capture wants them, touchpad frames to its GestureCapture, paints the
// strokes, and runs each partial check on a pool thread so that drawing never waits for
// the recognizer.
class GestureRecognitionView : public QWidget {
    Q_OBJECT
public:

    GestureRecognitionView(const Clock& clock, TimerService& timers, std::function<CaptureSettings()> settings,
                           MultitouchManager& multitouch, QWidget* parent = nullptr);
    ~GestureRecognitionView() override;

    void setRecognitionController(GestureRecognitionController* controller) { m_controller = controller; }

    // The window is laid out before every capture and not during one, so the size the
    // view has now holds for the whole capture. `startedAt` is when the start gesture
    // was made, where its event says.
    void startDetectingGesture(CaptureMode mode, std::optional<SteadyTime> startedAt = std::nullopt);
    void finishDetectingGesture(CaptureEnding ending) { m_capture.finishDetectingGesture(ending); }
    bool detectingInput() const { return m_capture.detectingInput(); }

    void dealWithMultitouchEvent(const MultitouchEventPointer& event);

    // Waits for running partial checks, serving the main-thread calls they make meanwhile.
    void waitForPartialChecks();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CaptureCallbacks captureCallbacks();
    void forwardMouse(QMouseEvent* event, MouseAction action);
    void receiveFrames(bool receive);
    void checkPartially(std::vector<GestureStroke> strokes);
    void recognize(std::vector<GestureStroke> strokes);

    MultitouchManager& m_multitouch;
    GestureRecognitionController* m_controller = nullptr;
    QThreadPool m_partialChecks;
    InputEventTimes m_eventTimes;
    GestureCapture m_capture;
};

}
