#include "recognition/GestureRecognitionController.h"

#include "appearance/RoundedCornerView.h"
#include "launch/TargetsAndSettings.h"
#include "launch/ScriptFolder.h"
#include "multitouch/MultitouchManager.h"
#include "platform/EventFilter.h"
#include "platform/MainThreadRelay.h"
#include "recognition/GestureRecognitionView.h"
#include "recognition/GestureRecognitionWindow.h"
#include "recognition/TouchFrameConversion.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QLocale>
#include <QThread>

namespace scriblo {

Q_LOGGING_CATEGORY(launchFailures, "scriblo.launch")

GestureRecognitionController::GestureRecognitionController(Services services, QObject* parent)
    : QObject(parent)
    , m_clock(services.clock)
    , m_targetsAndSettings(services.targetsAndSettings)
    , m_multitouch(services.multitouch)
    , m_eventFilter(services.eventFilter)
    , m_setupWindowVisible(std::move(services.setupWindowVisible))
    , m_xwayland(services.xwayland)
    , m_placement(!services.xwayland)
    , m_recognitionModel(std::make_unique<GestureRecognitionModel>(services.storage))
    , m_scrollBlocking(services.timers, [this] { m_grabRule.scrollBlockingEnded(); })
    , m_grabRule([this](bool held) { setTouchpadsHeld(held); })
    , m_fade(services.clock, services.timers, { [this](double alpha) { m_recognitionWindow->setWindowOpacity(alpha); },
                                                [this] { hideRecognitionWindow(); } })
    , m_decider(makeDecider())
    , m_removal(*m_recognitionModel, services.storeWrites, std::move(services.removedGestures), std::move(services.notifier))
    , m_recognitionView(new GestureRecognitionView(services.clock, services.timers, [this] { return captureSettings(); },
                                                   services.multitouch))
    , m_recognitionWindow(std::make_unique<GestureRecognitionWindow>(m_recognitionView))
    , m_storeWrites(services.storeWrites)
    , m_launchReports(std::make_shared<MainThreadRelay>(this))
{
    m_recognitionView->setRecognitionController(this);
    setCompositing(services.compositing);
    connect(m_recognitionWindow.get(), &GestureRecognitionWindow::resignedKey, this,
            &GestureRecognitionController::windowDidResignKey);
    connect(m_recognitionWindow.get(), &GestureRecognitionWindow::additionChosen, this, [this] {
        m_recognitionWindow->offerAddition(std::nullopt);
        toggleOutRecognitionWindow(false);
        if (m_lastDrawing)
            Q_EMIT additionRequested(QString::fromStdString(m_lastDrawing->identity));
    });
}

GestureRecognitionController::~GestureRecognitionController()
{
    // Partial checks still running hand their results to the main thread; they must find
    // nothing to show rather than a window being torn down.
    m_shuttingDown = true;
    m_launchReports->close();
    m_recognitionWindow->disconnect(this);
    m_multitouch.removeMultitouchListeners(this);
    m_recognitionView->waitForPartialChecks();
    releaseCaptureInput();
    m_eventFilter.releaseTouchpads();
}

GestureRecognitionController::Decider GestureRecognitionController::makeDecider() const
{
    return Decider(
        [this](const std::string& identity) -> std::optional<std::shared_ptr<Launchable>> {
            auto target = m_targetsAndSettings.findLaunchableWithId(identity);
            return target ? std::optional(std::move(target)) : std::nullopt;
        },
        [this](const std::string& identity) { return m_targetsAndSettings.catalogue().absence(identity); });
}

CaptureSettings GestureRecognitionController::captureSettings() const
{
    const Settings& settings = m_targetsAndSettings.settings();
    return { settings.multitouchOption(), settings.fullscreenOption(), settings.readingDelayTime() };
}

Expected<std::string> GestureRecognitionController::applicationDidFinishLaunching()
{
    // Presses are watched whatever the mode, since the mode may change while running;
    // the rules ignore them in touchpad mode.
    auto watching = m_eventFilter.watchSecondaryPresses([this](SteadyTime time) { handleSecondaryPress(time); });
    m_multitouch.addMultitouchListener(this, &GestureRecognitionController::handleMultitouchEvent);
    layoutRecognitionWindow();
    hideRecognitionWindow();
    return watching;
}

void GestureRecognitionController::setCompositing(bool compositing)
{
    m_fade.setFadesAvailable(compositing);
    m_recognitionWindow->backgroundView()->setOpaqueFallback(!compositing);
}

void GestureRecognitionController::handleMultitouchEvent(const MultitouchEventPointer& event)
{
    TouchFrame frame = touchFrameFromEvent(*event);
    m_grabRule.handleFrame(frame);
    // A held touchpad moves no pointer, so its fingers say nothing about X.
    if (!m_multitouch.touchpadsGrabbed()) {
        m_placement.followTouchpad(frame);
    }
    StartConditions conditions { recognitionWindowVisible(), m_targetsAndSettings.settings().quickdrawOption(),
                                 m_setupWindowVisible && m_setupWindowVisible() };
    StartPattern pattern = m_startPatterns.handleFrame(frame, conditions);
    if (pattern != StartPattern::None)
        Q_EMIT startPatternSeen(pattern);
    switch (pattern) {
    case StartPattern::None:
        return;
    case StartPattern::FourFingerTap:
        shouldStartDetectingGesture(CaptureMode::Normal);
        return;
    case StartPattern::Quickdraw:
        shouldStartDetectingGesture(CaptureMode::Quickdraw);
        return;
    }
}

void GestureRecognitionController::handleSecondaryPress(SteadyTime time)
{
    // Presses are only watched, never held back. In touchpad mode the tap starts a
    // drawing; what the drawing's fingers would do to other programs is kept from them
    // by the touchpad grab, which lasts until the fingers lift or scrolling is unblocked.
    if (m_targetsAndSettings.settings().multitouchOption())
        return;
    if (m_secondaryPresses.handlePress(time, recognitionWindowVisible()))
        shouldStartDetectingGesture(CaptureMode::Normal, time);
}

void GestureRecognitionController::shouldStartDetectingGesture(CaptureMode mode, std::optional<SteadyTime> startedAt)
{
    if (recognitionWindowVisible())
        return;
    m_scrollBlocking.recognitionStarted();
    m_recognitionWindow->setAppResult({}, {});
    m_recognitionWindow->setPartialResult({}, {});
    toggleInRecognitionWindow();
    // Touchpad mode swallows everything while the fingers draw: the touchpads, and on
    // X11 the keyboard and pointer, are held by the capture window.
    if (m_targetsAndSettings.settings().multitouchOption())
        m_grabRule.captureStarted();
    m_recognitionView->startDetectingGesture(mode, startedAt);
}

void GestureRecognitionController::setTouchpadsHeld(bool held)
{
    if (held)
        m_eventFilter.holdAllInput(m_recognitionWindow->windowHandle());
    else
        m_eventFilter.releaseTouchpads();
}

void GestureRecognitionController::releaseCaptureInput()
{
    m_eventFilter.releaseKeyboardAndPointer();
}

void GestureRecognitionController::recognizeGestureWithStrokes(std::vector<GestureStroke> strokes)
{
    Q_EMIT strokesCaptured(int(strokes.size()));
    releaseCaptureInput();
    m_grabRule.captureEnded();
    m_recognitionWindow->setPartialResult({}, {});
    // The window stays until the gestures are in; it says why the answer waits.
    if (m_loadingGestures) {
        m_drawnWhileLoading = std::move(strokes);
        m_recognitionWindow->setPartialResult(tr("Reading your gestures…"), {});
        return;
    }
    decide(strokes);
}

void GestureRecognitionController::loadGestures(std::function<void()> loaded)
{
    m_loadingGestures = true;
    m_storeWrites.queue([&model = *m_recognitionModel] { model.setup(); }, [this, loaded = std::move(loaded)] {
        m_loadingGestures = false;
        if (auto drawn = std::exchange(m_drawnWhileLoading, std::nullopt)) {
            m_recognitionWindow->setPartialResult({}, {});
            decide(*drawn);
        }
        loaded();
    });
}

void GestureRecognitionController::decide(const std::vector<GestureStroke>& strokes)
{
    auto result = m_recognitionModel->recognizer()->recognizeGestureWithStrokes(strokes);
    auto decision = m_decider.decide(result, m_targetsAndSettings.settings().minimumRecognitionScore(), CheckKind::Final);
    remember(std::move(strokes), decision);
    switch (decision.outcome) {
    case MatchOutcome::NoMatch:
        toggleOutRecognitionWindow(false);
        break;
    case MatchOutcome::BelowMinimum:
        explainMiss(decision);
        break;
    case MatchOutcome::TargetFound:
        launch(*decision.target, decision.score);
        toggleOutRecognitionWindow(true);
        break;
    case MatchOutcome::TargetMissing:
    case MatchOutcome::TargetCannotRun:
    case MatchOutcome::TargetGone:
        showMissedTarget(decision);
        break;
    }
    m_scrollBlocking.recognitionFinished();
}

void GestureRecognitionController::remember(std::vector<GestureStroke> strokes,
                                           const MatchDecision<std::shared_ptr<Launchable>>& decision)
{
    // Nothing drawn is nothing to fix.
    if (strokes.empty())
        return;
    m_lastDrawing = LastDrawing { std::move(strokes), decision.outcome, decision.identity, decision.score,
                                  m_targetsAndSettings.settings().minimumRecognitionScore() };
    Q_EMIT lastDrawingChanged();
}

void GestureRecognitionController::checkPartialGestureWithStrokes(std::vector<GestureStroke> strokes)
{
    runOnMainThread([this] { m_recognitionWindow->setPartialResult({}, {}); });
    auto result = m_recognitionModel->recognizer()->recognizeGestureWithStrokes(strokes);
    auto decision = m_decider.decide(result, m_targetsAndSettings.settings().minimumRecognitionScore(), CheckKind::Partial);
    if (decision.outcome == MatchOutcome::TargetFound)
        runOnMainThread([this, &decision] { showPartialResult(decision); });
}

void GestureRecognitionController::launch(const std::shared_ptr<Launchable>& target, int32_t score)
{
    QString name = QString::fromStdString(target->displayName());
    m_recognitionWindow->setAppResult(name, m_icons.iconFor(target->icon()));
    Q_EMIT matchShown(false, name, score);
    Q_EMIT launchRequested(QString::fromStdString(target->description()));
    target->launchWithNewThread(LaunchThread::New, [reports = m_launchReports, this, target](const LaunchResult& launched) {
        if (!launched)
            reports->post([this, target, reason = launched.error()] { launchFailed(target, reason); });
    });
}

void GestureRecognitionController::launchFailed(const std::shared_ptr<Launchable>& target, const std::string& reason)
{
    qCWarning(launchFailures).noquote() << "Could not launch" << QString::fromStdString(target->launchId()) << "("
                                        << QString::fromStdString(target->description()) << "):" << QString::fromStdString(reason);
    // A launch may fail after the next drawing has begun; that drawing keeps the window,
    // and the log has the failure.
    if (!m_recognitionView->detectingInput())
        showFailure(QString::fromStdString(target->displayName()), m_icons.iconFor(target->icon()), tr("Could not be started"));
    // What failed to start may have changed on disk since the lists were read (a script
    // removed or no longer executable, an entry rewritten): the next lookup sees it so.
    m_targetsAndSettings.catalogue().fetchAll();
}

void GestureRecognitionController::showMissedTarget(const MatchDecision<std::shared_ptr<Launchable>>& decision)
{
    QString identity = QString::fromStdString(decision.identity);
    switch (decision.outcome) {
    case MatchOutcome::TargetGone:
        showFailure({}, {}, tr("Its target is gone"));
        // Said in the window too, while it still shows this failure: a new drawing clears it.
        m_removal.remove(decision.identity, [this](bool removed) {
            if (removed && recognitionWindowVisible() && m_recognitionWindow->appFailureAlert()->text() == tr("Its target is gone"))
                m_recognitionWindow->setAppFailure(tr("Its target is gone, so the gesture was removed"));
        });
        return;
    case MatchOutcome::TargetCannotRun:
        // Only a script is ever there yet unable to run.
        qCWarning(launchFailures).noquote() << "Cannot run" << identity << ": it is not executable";
        showFailure(QString::fromStdString(ScriptFolder::displayName(decision.identity)), {},
                    tr("Cannot run: the script is not executable"));
        return;
    case MatchOutcome::TargetMissing:
        qCInfo(launchFailures).noquote() << "No target has the identity" << identity << "now; its gesture stays";
        showFailure({}, {}, tr("Its target cannot be found now"));
        return;
    case MatchOutcome::NoMatch:
    case MatchOutcome::BelowMinimum:
    case MatchOutcome::TargetFound:
        return;
    }
}

void GestureRecognitionController::explainMiss(const MatchDecision<std::shared_ptr<Launchable>>& decision)
{
    if (!m_targetsAndSettings.settings().explainMissesOption() || !decision.target) {
        toggleOutRecognitionWindow(false);
        return;
    }
    const auto& target = *decision.target;
    // The name is placed last, so a long one is cut to fit and the scores stay in view.
    const QLocale locale;
    QString line = tr("%1 – %2% (needs %3%)")
                       .arg(QStringLiteral("%1"), locale.toString(decision.score),
                            locale.toString(m_targetsAndSettings.settings().minimumRecognitionScore()));
    QString name = QString::fromStdString(target->displayName());
    m_recognitionWindow->setAppResult(name, m_icons.iconFor(target->icon()), line, GestureRecognitionWindow::Result::Miss);
    m_recognitionWindow->offerAddition(name);
    m_fade.putAway(PutAway::AfterOfferedMiss);
}

void GestureRecognitionController::showFailure(const QString& name, const QIcon& icon, const QString& failure)
{
    m_recognitionWindow->setAppResult(name, icon);
    m_recognitionWindow->setAppFailure(failure);
    if (!recognitionWindowVisible()) {
        layoutRecognitionWindow();
        m_recognitionWindow->show();
        m_recognitionWindow->raise();
    }
    m_fade.show();
    m_fade.putAway(PutAway::AfterFailure);
}

void GestureRecognitionController::showPartialResult(const MatchDecision<std::shared_ptr<Launchable>>& decision)
{
    // A check that finishes after the capture ended would put a stale match beside the
    // final result.
    if (!m_recognitionView->detectingInput())
        return;
    const auto& target = *decision.target;
    QString name = QString::fromStdString(target->displayName());
    // Both at once: a name that holds a "%2" must not take the score's place.
    QString text = tr("%1 – %2%", "the best match while drawing: name, score").arg(name, QLocale().toString(decision.score));
    m_recognitionWindow->setPartialResult(text, m_icons.iconFor(target->icon()));
    Q_EMIT matchShown(true, name, decision.score);
}

void GestureRecognitionController::runOnMainThread(const std::function<void()>& work)
{
    auto guarded = [this, &work] {
        if (!m_shuttingDown)
            work();
    };
    if (QThread::currentThread() == thread())
        guarded();
    else
        QMetaObject::invokeMethod(this, guarded, Qt::BlockingQueuedConnection);
}

void GestureRecognitionController::layoutRecognitionWindow()
{
    WindowSize size = m_targetsAndSettings.settings().fullscreenOption() ? WindowSize::FullScreen : WindowSize::Centred;
    m_recognitionWindow->applyLayout(m_placement.layout(size));
}

void GestureRecognitionController::toggleInRecognitionWindow()
{
    layoutRecognitionWindow();
    m_fade.show();
    m_recognitionWindow->show();
    m_recognitionWindow->raise();
    m_recognitionWindow->activateWindow();
    Q_EMIT recognitionWindowShown(m_recognitionWindow->geometry());
}

void GestureRecognitionController::toggleOutRecognitionWindow(bool animated)
{
    m_fade.putAway(animated ? PutAway::AfterResult : PutAway::AtOnce);
}

void GestureRecognitionController::hideRecognitionWindow()
{
    if (m_fade.isVisible()) {
        // Ends in this function again through the fade's hide callback.
        m_fade.hide();
        return;
    }
    m_recognitionWindow->hide();
    m_recognitionWindow->move(-10000, -10000);
}

void GestureRecognitionController::windowDidResignKey()
{
    // The XWayland window managers of weston and wlroots take X focus back from
    // override-redirect windows at once, so there its loss says nothing of the user.
    // The touchpad grab holds the input, a mouse stroke its implicit pointer grab, and
    // the capture ends by its own means.
    if (m_xwayland)
        return;
    if (recognitionWindowVisible() && m_recognitionView->detectingInput())
        m_recognitionView->finishDetectingGesture(CaptureEnding::DiscardStrokes);
}

}
