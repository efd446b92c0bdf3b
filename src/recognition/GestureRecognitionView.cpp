#include "recognition/GestureRecognitionView.h"

#include "appearance/StrokePainter.h"
#include "multitouch/MultitouchManager.h"
#include "recognition/GestureRecognitionController.h"
#include "recognition/TouchFrameConversion.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace scriblo {

GestureRecognitionView::GestureRecognitionView(const Clock& clock, TimerService& timers,
                                               std::function<CaptureSettings()> settings, MultitouchManager& multitouch,
                                               QWidget* parent)
    : QWidget(parent)
    , m_multitouch(multitouch)
    , m_eventTimes(clock)
    , m_capture(clock, timers, std::move(settings), captureCallbacks())
{
    setAccessibleName(tr("Drawing area"));
    setAttribute(Qt::WA_TranslucentBackground);
}

GestureRecognitionView::~GestureRecognitionView()
{
    m_multitouch.removeMultitouchListeners(this);
    waitForPartialChecks();
}

CaptureCallbacks GestureRecognitionView::captureCallbacks()
{
    return {
        [this](std::vector<GestureStroke> strokes) { recognize(std::move(strokes)); },
        [this](std::vector<GestureStroke> strokes) { checkPartially(std::move(strokes)); },
        [this] { update(); },
        [this](bool receive) { receiveFrames(receive); },
        &InputEventTimes::deliverPendingInput,
    };
}

void GestureRecognitionView::receiveFrames(bool receive)
{
    if (receive)
        m_multitouch.addMultitouchListener(this, &GestureRecognitionView::dealWithMultitouchEvent);
    else
        m_multitouch.removeMultitouchListeners(this, &GestureRecognitionView::dealWithMultitouchEvent);
}

void GestureRecognitionView::dealWithMultitouchEvent(const MultitouchEventPointer& event)
{
    m_capture.dealWithMultitouchEvent(touchFrameFromEvent(*event));
}

void GestureRecognitionView::recognize(std::vector<GestureStroke> strokes)
{
    if (m_controller)
        m_controller->recognizeGestureWithStrokes(std::move(strokes));
}

void GestureRecognitionView::checkPartially(std::vector<GestureStroke> strokes)
{
    if (!m_controller)
        return;
    m_partialChecks.start([controller = m_controller, strokes = std::move(strokes)]() mutable {
        controller->checkPartialGestureWithStrokes(std::move(strokes));
    });
}

void GestureRecognitionView::waitForPartialChecks()
{
    while (!m_partialChecks.waitForDone(10))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void GestureRecognitionView::startDetectingGesture(CaptureMode mode, std::optional<SteadyTime> startedAt)
{
    m_capture.setViewSize(width(), height());
    m_capture.startDetectingGesture(mode, startedAt);
    // Keys reach the window's focus widget, during a touchpad capture through the
    // keyboard grab; Escape must reach the capture.
    setFocus(Qt::OtherFocusReason);
}

void GestureRecognitionView::mousePressEvent(QMouseEvent* event)
{
    forwardMouse(event, MouseAction::Down);
}

void GestureRecognitionView::mouseMoveEvent(QMouseEvent* event)
{
    forwardMouse(event, MouseAction::Drag);
}

void GestureRecognitionView::mouseReleaseEvent(QMouseEvent* event)
{
    forwardMouse(event, MouseAction::Up);
}

void GestureRecognitionView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_capture.detectingInput())
        m_capture.dealWithEscapeKey();
    else
        QWidget::keyPressEvent(event);
}

void GestureRecognitionView::forwardMouse(QMouseEvent* event, MouseAction action)
{
    // Moves arrive only with a button held, since the view does not track the pointer.
    bool mainButton = action == MouseAction::Drag ? bool(event->buttons() & Qt::LeftButton) : event->button() == Qt::LeftButton;
    if (!mainButton)
        return;
    QPointF position = event->position();
    m_capture.dealWithMouseEvent({ position.x(), position.y() }, action, m_eventTimes.timeOf(*event));
}

void GestureRecognitionView::paintEvent(QPaintEvent*)
{
    if (!m_capture.detectingInput())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& [strokeId, points] : m_capture.paths())
        StrokePainter::paintStroke(painter, StrokePainter::pathThrough(points), m_capture.lineWidth());
}

}
