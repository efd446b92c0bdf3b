#pragma once

#include "appearance/IconResolver.h"
#include "base/WorkQueue.h"
#include "core/GestureRecognitionModel.h"
#include "launch/Launchable.h"
#include "multitouch/MultitouchEvent.h"
#include "recognition/GestureCapture.h"
#include "recognition/DoubleSecondaryPressDetector.h"
#include "recognition/GoneGestureRemoval.h"
#include "recognition/LastDrawing.h"
#include "recognition/MatchDecider.h"
#include "recognition/RecognitionWindowPlacement.h"
#include "recognition/RecognitionWindowFade.h"
#include "recognition/ScrollBlocking.h"
#include "recognition/StartPatternDetector.h"
#include "recognition/TouchpadGrabRule.h"

#include <QObject>
#include <QRect>

#include <atomic>
#include <memory>
#include <optional>

namespace scriblo {

class EventFilter;
class GestureRecognitionView;
class GestureRecognitionWindow;
class TargetsAndSettings;
class MainThreadRelay;
class MultitouchManager;
class Notifier;
class RemovedGestures;

// The centre of the recognition side: it sees the start patterns in touchpad frames and
// in secondary-button presses, shows the window and starts the capture, holds input away
// from other programs around a touchpad capture, matches the strokes, shows the result
// and launches it. It owns the gesture store.
class GestureRecognitionController : public QObject {
    Q_OBJECT
public:
    struct Services {
        const Clock& clock;
        TimerService& timers;
        UserDefaults& storage;
        // The store's one writer: the load after start and the removal of a gesture whose
        // target is gone go through it.
        WorkQueue& storeWrites;
        // The settings and the catalogue, read afresh at every use.
        TargetsAndSettings& targetsAndSettings;
        MultitouchManager& multitouch;
        EventFilter& eventFilter;
        // Quickdraw never starts while the setup window shows.
        std::function<bool()> setupWindowVisible;
        bool compositing = false;
        // A Wayland session, whose X server is XWayland: there X focus and the X
        // pointer's position say less about the user than on X11.
        bool xwayland = false;
        // Where a gesture whose target is gone is kept before it is deleted, and how the
        // user hears of it; without both, such gestures stay.
        std::shared_ptr<RemovedGestures> removedGestures = nullptr;
        std::shared_ptr<Notifier> notifier = nullptr;
    };

    explicit GestureRecognitionController(Services services, QObject* parent = nullptr);
    ~GestureRecognitionController() override;

    // Watches the mouse, registers for touchpad frames, lays out and hides the window.
    // Says what the mouse watching covers, or why there is none.
    Expected<std::string> applicationDidFinishLaunching();

    void handleMultitouchEvent(const MultitouchEventPointer& event);
    void handleSecondaryPress(SteadyTime time);
    // `startedAt` is when the user made the start gesture, where its event says.
    void shouldStartDetectingGesture(CaptureMode mode, std::optional<SteadyTime> startedAt = std::nullopt);
    // Reads the store's gestures on the store's queue; `loaded` runs on this thread after.
    // A drawing that ends before they are in is recognised once they are.
    void loadGestures(std::function<void()> loaded);
    // From the view at the end of every capture, on the main thread.
    void recognizeGestureWithStrokes(std::vector<GestureStroke> strokes);
    // From the view's partial checks, on threads of their own.
    void checkPartialGestureWithStrokes(std::vector<GestureStroke> strokes);

    void layoutRecognitionWindow();
    void toggleInRecognitionWindow();
    void toggleOutRecognitionWindow(bool animated);
    void hideRecognitionWindow();
    void windowDidResignKey();
    // Fades and a translucent background need a compositor, which may start or stop at
    // any time; without one the window is opaque and shows and hides at once.
    void setCompositing(bool compositing);

    bool recognitionWindowVisible() const { return m_fade.isVisible(); }
    bool blockingScrollEvents() const { return m_scrollBlocking.blockingScrollEvents(); }
    bool touchpadsHeld() const { return m_grabRule.grabbed(); }
    GestureRecognitionModel& recognitionModel() { return *m_recognitionModel; }
    GestureRecognitionView* recognitionView() const { return m_recognitionView; }
    GestureRecognitionWindow* recognitionWindow() const { return m_recognitionWindow.get(); }
    // The drawing the user made last, and what came of it.
    const std::optional<LastDrawing>& lastDrawing() const { return m_lastDrawing; }

Q_SIGNALS:
    // What happens in a recognition, for whoever follows it (the demonstration).
    void startPatternSeen(scriblo::StartPattern pattern);
    void recognitionWindowShown(QRect geometry);
    void strokesCaptured(int count);
    void matchShown(bool partial, QString displayName, int score);
    // Just before the launch, with what it will do in words.
    void launchRequested(QString description);
    // A drawing was recognised, or missed: `lastDrawing` says which.
    void lastDrawingChanged();
    // The user chose, on an explained miss, to add the drawing to the gesture stored under
    // `identity`.
    void additionRequested(QString identity);

private:
    using Decider = MatchDecider<std::shared_ptr<Launchable>>;

    CaptureSettings captureSettings() const;
    Decider makeDecider() const;
    void setTouchpadsHeld(bool held);
    void decide(const std::vector<GestureStroke>& strokes);
    void releaseCaptureInput();
    void showPartialResult(const MatchDecision<std::shared_ptr<Launchable>>& decision);
    void launch(const std::shared_ptr<Launchable>& target, int32_t score);
    void launchFailed(const std::shared_ptr<Launchable>& target, const std::string& reason);
    // What a drawing that matched nothing well enough came closest to, when the user asked
    // to see it; otherwise the window goes at once.
    void explainMiss(const MatchDecision<std::shared_ptr<Launchable>>& decision);
    void remember(std::vector<GestureStroke> strokes, const MatchDecision<std::shared_ptr<Launchable>>& decision);
    // Why a recognised gesture launched nothing.
    void showMissedTarget(const MatchDecision<std::shared_ptr<Launchable>>& decision);
    void showFailure(const QString& name, const QIcon& icon, const QString& failure);
    void runOnMainThread(const std::function<void()>& work);

    const Clock& m_clock;
    TargetsAndSettings& m_targetsAndSettings;
    MultitouchManager& m_multitouch;
    EventFilter& m_eventFilter;
    std::function<bool()> m_setupWindowVisible;
    bool m_xwayland;
    RecognitionWindowPlacement m_placement;
    std::unique_ptr<GestureRecognitionModel> m_recognitionModel;
    StartPatternDetector m_startPatterns;
    DoubleSecondaryPressDetector m_secondaryPresses;
    ScrollBlocking m_scrollBlocking;
    TouchpadGrabRule m_grabRule;
    RecognitionWindowFade m_fade;
    Decider m_decider;
    GoneGestureRemoval m_removal;
    IconResolver m_icons;
    GestureRecognitionView* m_recognitionView;
    std::unique_ptr<GestureRecognitionWindow> m_recognitionWindow;
    WorkQueue& m_storeWrites;
    bool m_loadingGestures { false };
    std::optional<std::vector<GestureStroke>> m_drawnWhileLoading;
    std::atomic<bool> m_shuttingDown { false };
    // Launch threads report failures through it; it is closed when this goes.
    std::shared_ptr<MainThreadRelay> m_launchReports;
    std::optional<LastDrawing> m_lastDrawing;
};

}
