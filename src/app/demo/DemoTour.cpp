#include "app/demo/DemoTour.h"

#include "app/demo/DemoNarrator.h"
#include "app/demo/DemoSamples.h"
#include "appearance/AppSegmentedControl.h"
#include "appearance/AppTableView.h"
#include "launch/Launchable.h"
#include "launch/TargetKinds.h"
#include "app/AppController.h"
#include "app/GestureFileTransfer.h"
#include "recognition/GestureRecognitionController.h"
#include "setup/ConflictWarningBar.h"
#include "setup/CustomScriptsNotice.h"
#include "setup/GestureSetupController.h"
#include "setup/GestureSetupView.h"
#include "setup/GestureSetupWindow.h"
#include "setup/LastDrawingWindow.h"
#include "sheet/GestureSheetWindow.h"
#include "setup/LaunchableArrayModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace scriblo {

namespace {

// Every kind of target, the scripts last: the assignment happens there.
constexpr int segmentTour[] = { 0, 1, 3, 4, 2 };
// Where a user would click the tray icon: the setup window hangs below it.
const QPoint trayClick(512, 40);

}

DemoTour::DemoTour(AppController& application, DemoNarrator& narrator, std::filesystem::path screenshots)
    : m_application(application)
    , m_setup(*application.gestureSetupController())
    , m_narrator(narrator)
    , m_screenshots(std::move(screenshots))
{
}

bool DemoTour::run()
{
    if (!m_hand.connected()) {
        m_failure = QStringLiteral("cannot reach the X server to drive it");
        return false;
    }
    bool completed = recognise() && openSetupWindow();
    for (int segment : segmentTour)
        completed = completed && showSegment(segment);
    completed = completed && switchToMouseDrawing() && selectTarget(DemoSamples::assignedScript)
        && assignDrawnGesture() && replayGesture() && askAboutALookAlike() && addDrawing() && showGestureSheet()
        && showLastDrawing() && previewImport();
    m_application.closeAndQuit();
    return completed;
}

bool DemoTour::recognise()
{
    // Without a tray the setup window opens at start; the recognition comes first.
    m_setup.hideSetupWindow();
    GestureRecognitionController& recognition = *m_application.gestureRecognitionController();
    return waitFor([&] { return m_narrator.said(QStringLiteral("partial match")); }, QStringLiteral("a partial match"))
        && screenshot(QStringLiteral("recognition-drawing"))
        && waitFor([&] { return m_narrator.said(QStringLiteral("final match")); }, QStringLiteral("the final match"))
        && screenshot(QStringLiteral("recognition-result"))
        && waitFor([&] { return m_narrator.said(QStringLiteral("dry run")); }, QStringLiteral("the held-back launch"))
        && waitFor([&] { return !recognition.recognitionWindowVisible(); }, QStringLiteral("the recognition window to close"));
}

bool DemoTour::openSetupWindow()
{
    m_setup.toggleSetupWindow(trayClick);
    if (!waitFor([&] { return m_setup.setupWindowState() == SetupWindowFade::State::Shown; },
                 QStringLiteral("the setup window")))
        return false;
    m_narrator.say(QStringLiteral("setup window shown"));
    return true;
}

bool DemoTour::showSegment(int segment)
{
    AppSegmentedControl* picker = m_setup.setupWindow()->launchableTypePicker;
    if (!click(picker, picker->segmentRect(segment).center().toPoint())
        || !waitFor([&] { return picker->selectedSegment() == segment; }, QStringLiteral("segment %1").arg(segment)))
        return false;
    QString label = picker->label(segment);
    m_narrator.say(QStringLiteral("segment: ") + label);
    if (m_setup.showingCustomScriptsAlert() && !dismissScriptsNotice())
        return false;
    // Files named in English in every language, so the pages that show them find them.
    QString english = QString::fromLatin1(TargetKinds::all().at(size_t(segment)).label);
    return screenshot(QStringLiteral("setup-") + english.toLower().replace(QLatin1Char(' '), QLatin1Char('-')));
}

bool DemoTour::dismissScriptsNotice()
{
    CustomScriptsNotice* notice = nullptr;
    if (!waitFor([&] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto shown = qobject_cast<CustomScriptsNotice*>(window); shown && shown->isVisible())
                    notice = shown;
            return notice != nullptr;
        }, QStringLiteral("the scripts notice")))
        return false;
    m_narrator.say(QStringLiteral("notice shown: ") + notice->heading->text());
    // The notice and its button are deleted once closed.
    const QString button = notice->coolButton->text();
    if (!screenshot(QStringLiteral("setup-scripts-notice")) || !click(notice->coolButton)
        || !waitFor([&] { return !m_setup.showingCustomScriptsAlert(); }, QStringLiteral("the notice to close")))
        return false;
    m_narrator.say(QStringLiteral("notice dismissed with ") + button);
    return true;
}

bool DemoTour::switchToMouseDrawing()
{
    // The replayed touchpad has finished; the new drawing comes from the pointer.
    QCheckBox* touchpad = m_setup.setupWindow()->multitouchOptionField;
    if (!click(touchpad)
        || !waitFor([&] { return !m_setup.targetsAndSettings().settings().multitouchOption(); }, QStringLiteral("mouse drawing")))
        return false;
    m_narrator.say(QStringLiteral("drawing with the mouse"));
    return true;
}

bool DemoTour::selectTarget(const std::string& identity)
{
    LaunchableArrayModel& targets = m_setup.launchableArray();
    int row = -1;
    for (int index = 0; index < targets.rowCount() && row < 0; ++index) {
        if (targets.launchableAt(index)->launchId() == identity)
            row = index;
    }
    if (row < 0) {
        m_failure = QStringLiteral("the scripts list has no %1").arg(QString::fromStdString(identity));
        return false;
    }
    AppTableView* table = m_setup.setupWindow()->launchableTableView;
    QModelIndex index = targets.index(row);
    table->scrollTo(index);
    settle();
    if (!click(table->viewport(), table->visualRect(index).center())
        || !waitFor([&] { return m_setup.launchableSelectedIndex() == row && m_setup.buttons().assign; },
                    QStringLiteral("the selection of a script")))
        return false;
    m_narrator.say(QStringLiteral("selected: ") + QString::fromStdString(targets.launchableAt(row)->displayName()));
    return true;
}

bool DemoTour::assignDrawnGesture()
{
    GestureSetupWindow& window = *m_setup.setupWindow();
    if (!click(window.assignGestureButton)
        || !waitFor([&] { return window.setupView->detectingInput(); }, QStringLiteral("the capture to start")))
        return false;
    m_narrator.say(QStringLiteral("assign pressed: drawing a triangle"));
    traceTriangle(window);
    if (!screenshot(QStringLiteral("setup-drawing")))
        return false;
    m_hand.release(1);
    return waitFor([&] { return m_narrator.said(QStringLiteral("assigned gesture to")); },
                   QStringLiteral("the drawing to be stored"));
}

bool DemoTour::replayGesture()
{
    GestureSetupWindow& window = *m_setup.setupWindow();
    if (!waitFor([&] { return m_setup.buttons().show; }, QStringLiteral("the Show button"))
        || !click(window.showGestureButton)
        || !waitFor([&] { return window.setupView->replayRunning(); }, QStringLiteral("the replay to start")))
        return false;
    m_narrator.say(QStringLiteral("replaying"));
    // A triangle replays in about a fifth of a second; this catches it half drawn.
    return screenshot(QStringLiteral("setup-replay"), std::chrono::milliseconds(100))
        && waitFor([&] { return !window.setupView->replayRunning(); }, QStringLiteral("the replay to end"));
}

void DemoTour::traceTriangle(GestureSetupWindow& window)
{
    QPoint corner = window.setupView->mapToGlobal(QPoint(0, 0));
    ScreenRect area { corner.x(), corner.y(), window.setupView->width(), window.setupView->height() };
    m_hand.trace(area, DemoSamples::triangle(), [] { settle(std::chrono::milliseconds(10)); });
}

// The same triangle drawn for another script: before storing a look-alike the window
// asks, with the two drawings side by side; choosing another target lets the question go.
bool DemoTour::askAboutALookAlike()
{
    GestureSetupWindow& window = *m_setup.setupWindow();
    if (!selectTarget(DemoSamples::lookAlikeScript) || !click(window.assignGestureButton)
        || !waitFor([&] { return window.setupView->detectingInput(); }, QStringLiteral("the capture to start")))
        return false;
    traceTriangle(window);
    m_hand.release(1);
    if (!waitFor([&] { return window.conflictWarning->isVisible(); }, QStringLiteral("the look-alike question")))
        return false;
    m_narrator.say(QStringLiteral("look-alike: ") + window.conflictWarning->message->text());
    return screenshot(QStringLiteral("setup-conflict")) && selectTarget(DemoSamples::assignedScript)
        && waitFor([&] { return !window.conflictWarning->isVisible(); }, QStringLiteral("the question to go"));
}

// A second, leaning triangle for the same script, then Show twice to reach it.
bool DemoTour::addDrawing()
{
    GestureSetupWindow& window = *m_setup.setupWindow();
    GestureRecognitionModel& model = m_application.gestureRecognitionController()->recognitionModel();
    auto drawings = [&] {
        auto gesture = model.getGestureWithIdentity(DemoSamples::assignedScript);
        return gesture ? gesture->drawingCount() : 0;
    };
    if (!waitFor([&] { return m_setup.buttons().addDrawing; }, QStringLiteral("the Add Drawing button"))
        || !click(window.addDrawingButton)
        || !waitFor([&] { return window.setupView->detectingInput(); }, QStringLiteral("the capture to start")))
        return false;
    m_narrator.say(QStringLiteral("add drawing pressed: drawing a leaning triangle"));
    DemoSamples::Shape leaning = DemoSamples::triangle();
    for (auto& [x, y] : leaning)
        x += (y - 500) * 0.3;
    QPoint corner = window.setupView->mapToGlobal(QPoint(0, 0));
    m_hand.trace({ corner.x(), corner.y(), window.setupView->width(), window.setupView->height() }, leaning,
                 [] { settle(std::chrono::milliseconds(10)); });
    m_hand.release(1);
    if (!waitFor([&] { return drawings() == 2 && m_setup.buttons().show; }, QStringLiteral("the second drawing to be stored")))
        return false;
    m_narrator.say(QStringLiteral("drawings of the gesture: 2"));
    for (int press = 0; press < 2; ++press)
        if (!click(window.showGestureButton))
            return false;
    return waitFor([&] { return !window.setupView->replayRunning(); }, QStringLiteral("the replay to end"))
        && screenshot(QStringLiteral("setup-second-drawing"));
}

// The tray's Last Drawing…: the touchpad's zigzag from the start, what it launched and
// the gestures it came closest to.
bool DemoTour::showLastDrawing()
{
    m_setup.showLastDrawing();
    LastDrawingWindow* last = m_setup.lastDrawingWindow();
    if (!last || !waitFor([&] { return last->isActiveWindow(); }, QStringLiteral("the last drawing")))
        return false;
    m_narrator.say(QStringLiteral("last drawing shown: ") + last->outcome()->text());
    bool shot = screenshot(QStringLiteral("last-drawing"));
    last->close();
    return shot;
}

// The tray's My Gestures…: every stored gesture, the one just assigned among them and the
// retired application's under Unavailable, then a search typed into it.
bool DemoTour::showGestureSheet()
{
    m_setup.hideSetupWindow();
    m_setup.showGestureSheet();
    GestureSheetWindow* sheet = m_setup.gestureSheetWindow();
    if (!sheet || !waitFor([&] { return sheet->isActiveWindow(); }, QStringLiteral("the gesture sheet")))
        return false;
    m_narrator.say(QStringLiteral("gesture sheet shown: ") + sheet->status()->text());
    if (!screenshot(QStringLiteral("gesture-sheet")) || !click(sheet->searchField()))
        return false;
    // What the user would type: a word of a built-in script's name, as the sheet shows it.
    const QString search = tr("trash", "typed into the search field; a word of the built-in script 'Empty Trash' as translated");
    m_hand.type(search.toStdString());
    if (!waitFor([&] { return sheet->searchField()->text() == search; }, QStringLiteral("the search")))
        return false;
    m_narrator.say(QStringLiteral("searched for %1: ").arg(search) + sheet->status()->text());
    bool shot = screenshot(QStringLiteral("gesture-sheet-search"));
    sheet->close();
    return shot;
}

// The tray's Import Gestures… with a file of three: one new, one replacing a stored
// drawing, one stored already; then Import.
bool DemoTour::previewImport()
{
    auto file = DemoSamples::writeImportFile(QDir::home().filePath(QStringLiteral("shared-gestures.json")).toStdString());
    GestureFileTransfer* transfer = m_application.gestureFileTransfer();
    if (!file || !transfer) {
        m_failure = QStringLiteral("cannot offer a file to import: ")
            + (file ? QStringLiteral("no tray") : QString::fromStdString(file.error()));
        return false;
    }
    transfer->importFile(file.value());
    // The preview opens at once and fills in its look-alikes; the tour tells the whole of it.
    if (!waitFor([&] { return transfer->preview() && transfer->preview()->isActiveWindow() && !transfer->preview()->checking(); },
                 QStringLiteral("the import preview")))
        return false;
    GestureImportPreview* preview = transfer->preview();
    // The look-alikes are searched for after the preview opens; on a busy machine the
    // summary would otherwise be told, and shot, half-way.
    if (!waitFor([&] { return !preview->checking(); }, QStringLiteral("the search for look-alikes")))
        return false;
    m_narrator.say(QStringLiteral("import preview: ") + preview->summary()->text());
    if (!screenshot(QStringLiteral("import-preview")) || !click(preview->importButton()))
        return false;
    return waitFor([&] { return !transfer->preview(); }, QStringLiteral("the import"));
}

bool DemoTour::waitFor(const std::function<bool()>& done, const QString& what, std::chrono::milliseconds timeout)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (interrupted) {
            m_failure = QStringLiteral("interrupted");
            return false;
        }
        if (elapsed.elapsed() > timeout.count()) {
            m_failure = QStringLiteral("timed out waiting for ") + what;
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

void DemoTour::settle(std::chrono::milliseconds time)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < time.count())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
}

bool DemoTour::click(QWidget* widget, QPoint at)
{
    if (!widget->isVisible()) {
        m_failure = QStringLiteral("cannot click %1: it is not shown").arg(widget->accessibleName());
        return false;
    }
    QPoint global = widget->mapToGlobal(at);
    m_hand.moveTo(global.x(), global.y());
    settle(std::chrono::milliseconds(30));
    m_hand.press(1);
    settle(std::chrono::milliseconds(30));
    m_hand.release(1);
    return true;
}

bool DemoTour::click(QWidget* widget)
{
    return click(widget, widget->rect().center());
}

bool DemoTour::screenshot(const QString& name, std::chrono::milliseconds settling)
{
    settle(settling);
    QString file = QStringLiteral("%1-%2.png").arg(++m_screenshotCount, 2, 10, QLatin1Char('0')).arg(name);
    QString path = QString::fromStdString((m_screenshots / file.toStdString()).string());
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !screen->grabWindow(0).save(path, "PNG")) {
        m_failure = QStringLiteral("cannot write the screenshot ") + path;
        return false;
    }
    return true;
}

}
