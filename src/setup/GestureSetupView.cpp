#include "setup/GestureSetupView.h"

#include "appearance/StrokePainter.h"
#include "multitouch/MultitouchManager.h"
#include "recognition/TouchFrameConversion.h"
#include "setup/GestureReplay.h"

#include <QMouseEvent>
#include <QPainter>

#include <condition_variable>

namespace scriblo {

GestureSetupView::GestureSetupView(const Clock& clock, TimerService& timers, MultitouchManager* multitouch,
                                   QWidget* parent)
    : QWidget(parent)
    , m_multitouch(multitouch)
    , m_eventTimes(clock)
    , m_capture(clock, timers, [this] { return m_callbacks.settings ? m_callbacks.settings() : CaptureSettings {}; },
                { [this](std::vector<GestureStroke> strokes) { captureEnded(std::move(strokes)); }, nullptr,
                  [this] { update(); }, [this](bool receive) { receiveFrames(receive); },
                  &InputEventTimes::deliverPendingInput })
{
    m_capture.setNoInputTimeout(noInputTimeout);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

GestureSetupView::~GestureSetupView()
{
    cancelReplay();
    receiveFrames(false);
}

void GestureSetupView::setCallbacks(Callbacks callbacks)
{
    m_callbacks = std::move(callbacks);
}

void GestureSetupView::startDetectingGesture()
{
    cancelReplay();
    resetAll();
    // A view not yet shown has had no resize event, but already has its size.
    m_capture.setViewSize(width(), height());
    m_capture.startDetectingGesture(CaptureMode::Normal);
    showDrawNotification(true);
}

void GestureSetupView::finishDetectingGesture(CaptureEnding ending)
{
    m_cancelling = ending == CaptureEnding::DiscardStrokes;
    m_capture.finishDetectingGesture(ending);
    m_cancelling = false;
}

void GestureSetupView::captureEnded(std::vector<GestureStroke> strokes)
{
    showDrawNotification(false);
    update();
    // A capture the controller or the focus cancelled hands nothing over; one that ran
    // out of time hands over nothing drawn, so the controller brings its buttons back.
    if (m_cancelling)
        return;
    if (m_callbacks.saveGestureWithStrokes)
        m_callbacks.saveGestureWithStrokes(std::move(strokes));
}

void GestureSetupView::resetAll()
{
    showDrawNotification(false);
    cancelReplay();
    m_replayPaths.clear();
    m_showingStoredGesture = false;
    update();
}

void GestureSetupView::showGesture(std::shared_ptr<const Gesture> gesture)
{
    cancelReplay();
    resetAll();
    m_showingStoredGesture = true;
    if (!gesture || detectingInput())
        return;
    double width = this->width();
    double height = this->height();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    m_replayFinished = finished;
    m_replayWorker = std::jthread([this, gesture, width, height, finished](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any wakeUp;
        GestureReplay::Hooks hooks {
            [&stop] { return stop.stop_requested(); },
            [this] { requestRedrawFromWorker(); },
            [&](SteadyTime due) {
                std::unique_lock lock(mutex);
                // Woken at once by a stop request, so cancelling never waits a step.
                wakeUp.wait_until(lock, stop, due, [] { return false; });
                return !stop.stop_requested();
            },
        };
        GestureReplay::run(*gesture, width, height, m_replayClock, m_replayPaths, hooks);
        *finished = true;
    });
}

void GestureSetupView::cancelReplay()
{
    if (!m_replayWorker.joinable())
        return;
    m_replayWorker.request_stop();
    m_replayWorker.join();
    m_replayWorker = {};
}

bool GestureSetupView::replayRunning() const
{
    return m_replayWorker.joinable() && m_replayFinished && !*m_replayFinished;
}

void GestureSetupView::requestRedrawFromWorker()
{
    // Queued to the view's own thread; dropped if the view is gone by then.
    QMetaObject::invokeMethod(this, [this] { update(); }, Qt::QueuedConnection);
}

void GestureSetupView::dealWithTouchFrame(const TouchFrame& frame)
{
    CaptureSettings settings = m_callbacks.settings ? m_callbacks.settings() : CaptureSettings {};
    if (!settings.multitouchOption || !detectingInput())
        return;
    showDrawNotification(false);
    m_capture.dealWithMultitouchEvent(frame);
}

void GestureSetupView::dealWithMultitouchEvent(const MultitouchEventPointer& event)
{
    if (event)
        dealWithTouchFrame(touchFrameFromEvent(*event));
}

void GestureSetupView::receiveFrames(bool receive)
{
    if (!m_multitouch)
        return;
    // The fingers drive only the drawing while the pad is held: no pointer moves, no
    // click reaches the desktop.
    if (receive) {
        m_multitouch->addMultitouchListener(this, &GestureSetupView::dealWithMultitouchEvent);
        m_multitouch->setTouchpadsGrabbed(true);
    } else {
        m_multitouch->removeMultitouchListeners(this, &GestureSetupView::dealWithMultitouchEvent);
        m_multitouch->setTouchpadsGrabbed(false);
    }
}

void GestureSetupView::showDrawNotification(bool show)
{
    if (m_callbacks.showDrawNotification)
        m_callbacks.showDrawNotification(show);
}

void GestureSetupView::forwardMouse(QMouseEvent* event, MouseAction action)
{
    CaptureSettings settings = m_callbacks.settings ? m_callbacks.settings() : CaptureSettings {};
    if (settings.multitouchOption || !detectingInput())
        return;
    showDrawNotification(false);
    m_capture.dealWithMouseEvent({ event->position().x(), event->position().y() }, action, m_eventTimes.timeOf(*event));
}

void GestureSetupView::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        forwardMouse(event, MouseAction::Down);
}

void GestureSetupView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        forwardMouse(event, MouseAction::Drag);
}

void GestureSetupView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        forwardMouse(event, MouseAction::Up);
}

void GestureSetupView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    finishDetectingGesture(CaptureEnding::DiscardStrokes);
}

void GestureSetupView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_capture.setViewSize(width(), height());
}

void GestureSetupView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A slightly lighter well shows where to draw.
    painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.08f), 1));
    painter.setBrush(QColor::fromRgbF(0.09f, 0.09f, 0.09f));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    if (!detectingInput() && !m_showingStoredGesture)
        return;
    painter.setBrush(Qt::NoBrush);
    for (const auto& [key, points] : m_capture.paths())
        StrokePainter::paintStroke(painter, StrokePainter::pathThrough(points), lineWidth);
    for (const auto& [key, points] : m_replayPaths.snapshot())
        StrokePainter::paintStroke(painter, StrokePainter::pathThrough(points), lineWidth);
}

}
