#include "RecognitionFixture.h"

#include "appearance/RoundedCornerView.h"
#include "launch/BuiltInScripts.h"
#include "launch/DesktopWorkspace.h"
#include "recognition/GestureRecognitionView.h"
#include "recognition/GestureRecognitionWindow.h"
#include "support/MouseEvents.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <atomic>
#include <thread>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// One stroke through `corners`, `steps` evenly spaced points a side, ending on the last.
std::vector<GestureStroke> polyline(const std::vector<GesturePoint>& corners, int steps)
{
    GestureStroke stroke;
    for (size_t side = 0; side + 1 < corners.size(); ++side) {
        for (int step = 0; step < steps; ++step) {
            float t = float(step) / float(steps);
            stroke.addPoint({ corners[side].x() + t * (corners[side + 1].x() - corners[side].x()),
                              corners[side].y() + t * (corners[side + 1].y() - corners[side].y()), 1 });
        }
    }
    stroke.addPoint(corners.back());
    return { stroke };
}

std::vector<GestureStroke> zigzag() { return polyline({ { 200, 800, 1 }, { 800, 800, 1 }, { 200, 200, 1 }, { 800, 200, 1 } }, 10); }
// Starts as the zigzag does, then turns back along its first side: close, not close enough.
std::vector<GestureStroke> hook() { return polyline({ { 200, 800, 1 }, { 800, 800, 1 }, { 500, 500, 1 } }, 20); }

class GestureRecognitionControllerTest : public RecognitionFixture {
protected:
    GestureRecognitionWindow& window() { return *controller->recognitionWindow(); }
    GestureRecognitionView& view() { return *controller->recognitionView(); }
    void bindZigzagTo(const std::string& identity)
    {
        ASSERT_TRUE(controller->recognitionModel().saveGestureWithStrokes(zigzag(), identity));
    }
    // Mouse mode, with the zigzag bound to a script of that name.
    std::filesystem::path startWithZigzagFor(const std::string& name, bool compositing = true)
    {
        auto script = addScript(name);
        start(false, compositing);
        bindZigzagTo(BuiltInScripts::identity(script));
        return script;
    }
    void draw(const std::vector<GestureStroke>& strokes)
    {
        controller->shouldStartDetectingGesture(CaptureMode::Normal);
        controller->recognizeGestureWithStrokes(strokes);
    }
    // Hands the strokes over past the view, whose capture still runs.
    void drawZigzag() { draw(zigzag()); }
    // As the view runs it: on a thread of its own, which hands its display work to the
    // main thread and waits for it.
    void checkPartialOnItsOwnThread()
    {
        std::atomic<bool> done = false;
        std::thread check([&] {
            controller->checkPartialGestureWithStrokes(zigzag());
            done = true;
        });
        EXPECT_TRUE(processEventsUntil([&] { return bool(done); }));
        check.join();
    }
    bool launched(const std::filesystem::path& script)
    {
        return processEventsUntil([&] { return workspace->launches() == std::vector<std::string> { "program " + script.string() }; });
    }
};

}

TEST_F(GestureRecognitionControllerTest, aFourFingerTapOpensTheWindowHoldsInputAndStartsTheCapture)
{
    start(true);
    EXPECT_FALSE(controller->recognitionWindowVisible());
    EXPECT_EQ(clock.pendingTimerCount(), 0u) << "nothing may tick while the window is hidden";
    fourFingerTap();
    EXPECT_TRUE(controller->recognitionWindowVisible());
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(view().detectingInput());
    EXPECT_TRUE(eventFilter.keyboardAndPointerHeld && eventFilter.touchpadsHeld);
    EXPECT_TRUE(controller->blockingScrollEvents());

    // A finger still down when the drawing ends keeps the touchpads held, never the keyboard.
    sendFrame(1);
    view().finishDetectingGesture(CaptureEnding::DiscardStrokes);
    EXPECT_FALSE(eventFilter.keyboardAndPointerHeld);
    EXPECT_TRUE(eventFilter.touchpadsHeld);
    sendFrame(0);
    EXPECT_FALSE(eventFilter.touchpadsHeld);

    clock.advanceBy(ScrollBlocking::afterRecognition);
    EXPECT_FALSE(controller->blockingScrollEvents());
    EXPECT_EQ(clock.pendingTimerCount(), 0u) << "every timer ends with the recognition";
}

TEST_F(GestureRecognitionControllerTest, twoSecondaryPressesStartOnlyInMouseModeHoldNothingAndCountWhenTheyWereMade)
{
    using namespace std::chrono_literals;
    start(false);
    SteadyTime first = clock.now();
    clock.advanceBy(700ms);
    eventFilter.pressSecondaryAt(first);
    eventFilter.pressSecondaryAt(first + 200ms);
    ASSERT_TRUE(view().detectingInput()) << "made 200 ms apart, read together 700 ms later";
    EXPECT_FALSE(eventFilter.keyboardAndPointerHeld || eventFilter.touchpadsHeld) << "mouse mode passes every event on";
    // The idle limit runs from the second press as made, 500 ms ago.
    clock.advanceBy(GestureCapture::noInputTimeout - 501ms);
    EXPECT_TRUE(view().detectingInput());
    clock.advanceBy(1ms);
    EXPECT_FALSE(view().detectingInput());
    clock.advanceBy(ScrollBlocking::afterRecognition);

    // Slow, then quick, all read in one burst.
    clock.advanceBy(5s);
    eventFilter.pressSecondaryAt(clock.now() - 800ms);
    eventFilter.pressSecondaryAt(clock.now() - 200ms);
    EXPECT_FALSE(controller->recognitionWindowVisible()) << "made 600 ms apart";
    eventFilter.pressSecondaryAt(clock.now());
    EXPECT_TRUE(view().detectingInput()) << "the third press followed the second by 200 ms";
    controller->windowDidResignKey();
    EXPECT_FALSE(view().detectingInput()) << "losing the focus abandons the capture";
    EXPECT_FALSE(controller->recognitionWindowVisible());

    storage->setBool(true, Settings::multitouchOptionKey);
    targetsAndSettings->settings().readAllStoringDefaults();
    eventFilter.pressSecondary();
    eventFilter.pressSecondary();
    EXPECT_FALSE(controller->recognitionWindowVisible()) << "a changed mode is used at the next press";
}

TEST_F(GestureRecognitionControllerTest, inAWaylandSessionLosingXFocusLeavesTheCaptureToItsTimers)
{
    for (bool multitouch : { false, true }) {
        start(multitouch, true, true);
        if (multitouch) {
            fourFingerTap();
        } else {
            eventFilter.pressSecondary();
            eventFilter.pressSecondary();
        }
        ASSERT_TRUE(view().detectingInput()) << multitouch;
        controller->windowDidResignKey();
        EXPECT_TRUE(view().detectingInput()) << "XWayland's window manager took the focus, not the user";
        clock.advanceBy(GestureCapture::noInputTimeout);
        EXPECT_FALSE(view().detectingInput()) << "nothing drawn: the capture ends by its timer";
        EXPECT_FALSE(controller->recognitionWindowVisible());
        clock.advanceBy(ScrollBlocking::afterRecognition);
    }
}

TEST_F(GestureRecognitionControllerTest, escapeEndsTheCaptureAsAFailedRecognitionWhateverWasDrawn)
{
    auto script = startWithZigzagFor("Mail");
    int launchesRequested = 0;
    QObject::connect(controller.get(), &GestureRecognitionController::launchRequested, [&] { ++launchesRequested; });
    eventFilter.pressSecondary();
    eventFilter.pressSecondary();
    QWidget* keys = window().focusWidget();
    ASSERT_EQ(keys, &view()) << "keys must reach the capture";
    auto send = [&](QEvent::Type type, const GesturePoint& point) {
        QPointF position(point.x() / 1000 * view().width(), (1 - point.y() / 1000) * view().height());
        sendMouse(&view(), type, position, type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton);
    };
    const auto drawing = zigzag();
    const auto& points = drawing.front().points();
    send(QEvent::MouseButtonPress, points.front());
    for (const GesturePoint& point : points)
        send(QEvent::MouseMove, point);
    send(QEvent::MouseButtonRelease, points.back());

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(keys, &escape);
    EXPECT_FALSE(view().detectingInput());
    EXPECT_FALSE(controller->recognitionWindowVisible()) << "hidden at once, as after a failed recognition";
    EXPECT_FALSE(window().isVisible());
    clock.advanceBy(std::chrono::seconds(2));
    EXPECT_EQ(launchesRequested, 0) << "the bound zigzag was drawn, yet nothing may launch";
}

// The store is read after the icon shows: a drawing that ends before its gestures are in
// waits for them instead of matching nothing.
TEST_F(GestureRecognitionControllerTest, aDrawingEndedWhileTheStoreLoadsIsRecognisedOnceItIsIn)
{
    auto script = addScript("Mail");
    ASSERT_TRUE(GestureRecognitionModel(*storage).saveGestureWithStrokes(zigzag(), BuiltInScripts::identity(script)));
    start(false);
    storeWrites.held = true;
    bool loaded = false;
    controller->loadGestures([&] { loaded = true; });
    drawZigzag();
    EXPECT_TRUE(controller->recognitionWindowVisible());
    EXPECT_EQ(window().partialDescriptionAlert()->text(), "Reading your gestures…");
    EXPECT_TRUE(workspace->launches().empty());

    storeWrites.release();
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(launched(script));
    EXPECT_EQ(window().partialDescriptionAlert()->text(), "");
    EXPECT_EQ(window().appDescriptionAlert()->text(), "Mail");
}

TEST_F(GestureRecognitionControllerTest, aLongNameIsCutSoTheMissesScoresStayInView)
{
    std::string name(240, 'n');
    auto script = startWithZigzagFor(name);
    targetsAndSettings->settings().saveExplainMissesOption(true);
    draw(hook());
    QLabel* line = window().appDescriptionAlert();
    EXPECT_TRUE(line->text().endsWith("% (needs 80%)")) << line->text().toStdString();
    EXPECT_TRUE(line->text().contains(QChar(0x2026)));
    EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width());
    EXPECT_TRUE(line->accessibleDescription().startsWith(QString::fromStdString(name))) << "screen readers hear it whole";
}

TEST_F(GestureRecognitionControllerTest, aMissIsExplainedOnlyWhenAskedLaunchesNothingAndOffersToAddTheKeptDrawing)
{
    auto script = startWithZigzagFor("Mail");
    int changes = 0;
    QStringList requested;
    QObject::connect(controller.get(), &GestureRecognitionController::lastDrawingChanged, [&] { ++changes; });
    QObject::connect(controller.get(), &GestureRecognitionController::additionRequested,
                     [&](const QString& identity) { requested << identity; });
    EXPECT_FALSE(controller->lastDrawing());
    draw({});
    EXPECT_FALSE(controller->lastDrawing()) << "nothing drawn is nothing to fix";
    draw(hook());
    EXPECT_FALSE(controller->recognitionWindowVisible()) << "by default a miss hides the window at once";

    targetsAndSettings->settings().saveExplainMissesOption(true);
    draw(hook());
    EXPECT_FALSE(window().appIconAlert()->pixmap().isNull());
    // A miss must not read as a launch: its line is muted.
    QColor missText = window().appDescriptionAlert()->palette().color(QPalette::WindowText);
    EXPECT_LT(missText.lightness(), 200) << missText.name().toStdString();
    ASSERT_TRUE(controller->lastDrawing());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(controller->lastDrawing()->strokes, hook());
    EXPECT_EQ(controller->lastDrawing()->outcome, MatchOutcome::BelowMinimum);
    EXPECT_EQ(controller->lastDrawing()->identity, BuiltInScripts::identity(script));
    EXPECT_EQ(controller->lastDrawing()->minimumScore, 80);
    // It offers to add the drawing to that gesture, and stays long enough to reach the button.
    EXPECT_FALSE(window().addToGestureButton()->isHidden());
    EXPECT_EQ(window().addToGestureButton()->accessibleName(), "Add to Mail");
    // Under the capture's idle limit, which would put the window away on its own.
    clock.advanceBy(std::chrono::seconds(1));
    EXPECT_EQ(window().windowOpacity(), 1) << "the offer outlasts a result's stay and fade";
    EXPECT_TRUE(workspace->launches().empty());
    window().addToGestureButton()->click();
    EXPECT_EQ(requested, QStringList { QString::fromStdString(BuiltInScripts::identity(script)) });
    EXPECT_FALSE(controller->recognitionWindowVisible()) << "the offer taken, the window goes at once";

    drawZigzag();
    EXPECT_TRUE(controller->lastDrawing()->launched());
    EXPECT_TRUE(window().addToGestureButton()->isHidden()) << "a launch offers nothing";
}

TEST_F(GestureRecognitionControllerTest, aGoodMatchShowsAndLaunchesThenFadesAsACompositorThatStartsOrStopsLaterAllows)
{
    auto script = startWithZigzagFor("Mail", false);
    EXPECT_TRUE(window().backgroundView()->opaqueFallback());
    drawZigzag();
    EXPECT_TRUE(launched(script));
    EXPECT_EQ(window().appDescriptionAlert()->text(), "Mail");
    EXPECT_FALSE(window().appIconAlert()->pixmap().isNull());
    clock.advanceBy(RecognitionWindowFade::resultStay - std::chrono::milliseconds(1));
    EXPECT_TRUE(window().isVisible()) << "the result stays 0.28 s";
    clock.advanceBy(std::chrono::milliseconds(1));
    EXPECT_FALSE(window().isVisible()) << "without a compositor the result hides without fading";

    controller->setCompositing(true);
    EXPECT_FALSE(window().backgroundView()->opaqueFallback());
    drawZigzag();
    clock.advanceBy(RecognitionWindowFade::resultStay + RecognitionWindowFade::fadeDuration / 2);
    EXPECT_TRUE(window().isVisible()) << "a compositor that started after Scriblo brings the fade";
    EXPECT_GT(window().windowOpacity(), 0.3);
    EXPECT_LT(window().windowOpacity(), 0.7);
    clock.advanceBy(RecognitionWindowFade::fadeDuration);
    EXPECT_FALSE(controller->recognitionWindowVisible());
    EXPECT_FALSE(window().isVisible());

    // One that stops while a result shows takes translucency and the fade with it.
    drawZigzag();
    controller->setCompositing(false);
    EXPECT_TRUE(window().backgroundView()->opaqueFallback());
    clock.advanceBy(RecognitionWindowFade::resultStay);
    EXPECT_FALSE(window().isVisible());
}

// A folder that is not there may be a disk that is not mounted yet: it may not cost a
// gesture. (Which identities are out of reach is the catalogue's to say; a script that
// only lost its execute bit is the real-script test's below.)
TEST_F(GestureRecognitionControllerTest, aTargetOutOfReachKeepsItsGestureAndSaysSo)
{
    start(false);
    std::string unreachable = (root / "unmounted/Backup").string();
    bindZigzagTo(unreachable);
    drawZigzag();
    EXPECT_TRUE(controller->recognitionModel().getGestureWithIdentity(unreachable));
    EXPECT_TRUE(removedGestures->kept.empty());
    EXPECT_TRUE(notifier->notices.empty());
    EXPECT_EQ(window().appDescriptionAlert()->text(), "");
    EXPECT_EQ(window().appFailureAlert()->text(), "Its target cannot be found now");
    // Short of the capture's own idle limit, which the shortcut drawing leaves running.
    clock.advanceBy(RecognitionWindowFade::failureStay - std::chrono::milliseconds(1));
    EXPECT_TRUE(controller->recognitionWindowVisible()) << "a failure stays longer than a name";
    clock.advanceBy(RecognitionWindowFade::failureStay + RecognitionWindowFade::fadeDuration);
    EXPECT_FALSE(controller->recognitionWindowVisible());
}

// A launch that fails, with a real script file and the desktop's own launcher: a script
// that lost its execute bit after the lists were read fails to start, the lists are read
// again, and from then on it is known as a script that cannot run, its gesture kept.
TEST_F(GestureRecognitionControllerTest, aRealScriptThatLostItsExecuteBitFailsVisiblyAndKeepsItsGesture)
{
    auto script = dataHome / "Scriblo/Scripts/Backup.sh";
    writeFile(script, "#!/bin/sh\n", true);
    start(false, true, false, std::make_shared<DesktopWorkspace>());
    bindZigzagTo(script.string());
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec
                                     | std::filesystem::perms::others_exec, std::filesystem::perm_options::remove);
    drawZigzag();
    // A launch's failure arrives when the view has long ended its capture.
    view().finishDetectingGesture(CaptureEnding::DiscardStrokes);
    ASSERT_TRUE(processEventsUntil([&] { return window().appFailureAlert()->text() == "Could not be started"; }));
    EXPECT_EQ(window().appDescriptionAlert()->text(), "Backup");
    EXPECT_FALSE(targetsAndSettings->findLaunchableWithId(script.string()));
    clock.advanceBy(std::chrono::seconds(3));

    drawZigzag();
    EXPECT_EQ(window().appDescriptionAlert()->text(), "Backup");
    EXPECT_EQ(window().appFailureAlert()->text(), "Cannot run: the script is not executable");
    EXPECT_TRUE(controller->recognitionModel().getGestureWithIdentity(script.string()));
}

// Scores are numbers the user reads, so they are written as the user's locale writes
// numbers; a name that looks like a placeholder is shown as it is.
TEST_F(GestureRecognitionControllerTest, aPartialCheckShowsNameAndScoreInTheLocalesDigitsOnlyWhileCapturing)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    auto script = startWithZigzagFor("Mail %2");
    controller->shouldStartDetectingGesture(CaptureMode::Normal);
    checkPartialOnItsOwnThread();
    EXPECT_EQ(window().partialDescriptionAlert()->text(), QString::fromUtf8("Mail %2 – ١٠٠%"));
    EXPECT_FALSE(window().partialIconAlert()->pixmap().isNull());
    view().finishDetectingGesture(CaptureEnding::DiscardStrokes);
    checkPartialOnItsOwnThread();
    EXPECT_EQ(window().partialDescriptionAlert()->text(), "") << "a late check must not show beside the result";

    targetsAndSettings->settings().saveExplainMissesOption(true);
    draw(hook());
    QString miss = window().appDescriptionAlert()->text();
    QLocale::setDefault(saved);
    EXPECT_TRUE(miss.startsWith(QString::fromUtf8("Mail %2 – "))) << miss.toStdString();
    EXPECT_TRUE(miss.endsWith(QString::fromUtf8("% (needs ٨٠%)"))) << miss.toStdString();
    QString score = miss.sliced(QString::fromUtf8("Mail %2 – ").size());
    EXPECT_FALSE(score.contains(QRegularExpression(QStringLiteral("[0-9]")))) << "the score too in the locale's digits";
}
