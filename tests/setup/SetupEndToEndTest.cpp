#include "app/demo/DesktopHand.h"
#include "platform/OpenboxWindowManager.h"
#include "setup/StatusNotifierWatcherStandIn.h"
#include "setup/TrayMenu.h"
#include "support/AccessibleDesktopTest.h"
#include "app/demo/DemoSamples.h"

#include <algorithm>

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::DemoSamples::circle;
using scriblo::DemoSamples::zigzag;
using namespace scriblo::testing;

namespace {

const QString setupWindowName = QStringLiteral("Scriblo setup");
const QString noticeName = QStringLiteral("Custom scripts notice");
constexpr int scriptsSegment = 2;
constexpr int segmentCount = 5;

// The user's side of the setup window: the real program, seen and driven only through
// the accessibility bus and the X server, as a screen reader user or a hand would.
class SetupEndToEndTest : public AccessibleDesktopTest {
protected:
    static void SetUpTestSuite()
    {
        startAccessibleDesktop(QStringLiteral("%1x%2x24").arg(screen.width).arg(screen.height));
    }

    void SetUp() override
    {
        AccessibleDesktopTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(hand.connected());
    }

    void TearDown() override
    {
        AccessibleDesktopTest::TearDown();
        watcher.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("setup-test"));
    }

    void startApplication() { startShowingSetupWindow(setupWindowName); }

    // The reopen of an application that is already running.
    void startAgain()
    {
        ASSERT_EQ(session->runCommand({}), 0);
    }

    bool setupWindowShowsMapped()
    {
        return setupWindow->has(AccessibleState::Showing) && hand.windowMapped(setupWindow->extents());
    }

    bool waitUntil(const std::function<bool()>& done, int timeoutMilliseconds = 5000)
    {
        return processEventsUntil(done, timeoutMilliseconds);
    }

    // The kinds of target are painted segments of one control, so the hand clicks the one.
    // A screen reader finds each as a page tab instead.
    void chooseSegment(const AccessibleObject& picker, int segment)
    {
        ScreenRect area = picker.extents();
        hand.click(area.x + area.width * (2 * segment + 1) / (2 * segmentCount), area.centreY());
    }

    // How many drawings the gesture stored for `identity` has; empty while none is stored.
    QByteArray drawingsOf(const std::string& identity)
    {
        for (const QByteArray& line : session->listedGestures().split('\n'))
            if (line.startsWith(QByteArray::fromStdString(identity + "\t")))
                return line.split('\t').last();
        return QByteArray();
    }

    // The button of the once-ever notice, which the first look at the scripts brings up.
    std::optional<AccessibleObject> noticeButton(const QString& notice, const QString& button)
    {
        auto shown = tree->waitFor(*application, notice);
        if (!shown)
            return std::nullopt;
        return tree->waitFor(*shown, button, QStringLiteral("push button"));
    }

    // The program with its icon in a stand-in watcher's tray, reached over dbusmenu as a
    // panel reaches it; its stored gestures keep the setup window shut.
    void startWithTray()
    {
        QDBusConnection panelBus = QDBusConnection::connectToBus(bus->address(), QStringLiteral("setup-test"));
        watcher = std::make_unique<StatusNotifierWatcherStandIn>(panelBus);
        ASSERT_NO_FATAL_FAILURE(session->startApplication());
        application = tree->application(QStringLiteral("Scriblo"));
        ASSERT_TRUE(application);
        ASSERT_TRUE(processEventsUntil([&] { return !watcher->registeredItems().isEmpty(); }));
        menu = std::make_unique<TrayMenu>(panelBus, watcher->registeredItems().last());
        ASSERT_TRUE(menu->valid());
    }

    // Names `path` in the file dialog of that title and presses its button.
    void chooseInFileDialog(const QString& title, const QString& path, const QString& button)
    {
        auto dialog = tree->waitFor(*application, title, QStringLiteral("dialog"));
        ASSERT_TRUE(dialog) << title.toStdString();
        auto name = tree->waitFor(*dialog, QStringLiteral("File name:"), QStringLiteral("text"));
        ASSERT_TRUE(name);
        ASSERT_TRUE(name->setText(path));
        auto confirm = tree->waitFor(*dialog, button, QStringLiteral("push button"));
        ASSERT_TRUE(confirm);
        ASSERT_TRUE(processEventsUntil([&] { return confirm->has(AccessibleState::Enabled); }));
        ASSERT_TRUE(confirm->doAction());
    }

    DesktopHand hand;
    std::unique_ptr<StatusNotifierWatcherStandIn> watcher;
    std::unique_ptr<TrayMenu> menu;
};

// A zigzag whose diagonal lands short: close to the stored one, never equal.
scriblo::DemoSamples::Shape hastyZigzag()
{
    scriblo::DemoSamples::Shape points = zigzag();
    for (size_t index = 13; index <= 24; ++index)
        points[index] = { 800 - 0.8 * (800 - points[index].first), 800 - 0.8 * (800 - points[index].second) };
    return points;
}

}

TEST_F(SetupEndToEndTest, aScreenReaderFindsTheScriptsWhoseGestureTheHandDrawsClearsAndBringsBack)
{
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("false")), 0);
    const std::string script = session->makeScript(QStringLiteral("Wave"));
    // Another target's gesture, so the window stays shut at start unless there is no tray;
    // a shape unlike the one drawn, which would otherwise raise the conflict question.
    session->importGesture(session->makeScript(QStringLiteral("Other")), circle());
    ASSERT_NO_FATAL_FAILURE(startApplication());

    // A private bus has no tray host: the window opens at start with its hint, and each
    // start of the program after that shows or hides it.
    ASSERT_TRUE(waitUntil([&] { return setupWindowShowsMapped(); })) << "no tray: the window opens at start";
    EXPECT_TRUE(control(QStringLiteral("Tray hint")).description().startsWith(QStringLiteral("No tray area was found")));
    EXPECT_TRUE(screen.contains(setupWindow->extents()));
    ASSERT_NO_FATAL_FAILURE(startAgain());
    ASSERT_TRUE(waitUntil([&] { return !setupWindow->has(AccessibleState::Showing); })) << "a second start hides it";
    ASSERT_NO_FATAL_FAILURE(startAgain());
    ASSERT_TRUE(waitUntil([&] { return setupWindowShowsMapped(); })) << "and a third shows it again";
    EXPECT_TRUE(screen.contains(setupWindow->extents()));

    // A screen reader finds the painted kinds as page tabs and presses one; the hand's
    // click on a segment is the window manager suite's.
    AccessibleObject picker = control(QStringLiteral("Kind of target"));
    auto scriptsTab = tree->waitFor(picker, QStringLiteral("Scripts"), QStringLiteral("page tab"));
    ASSERT_TRUE(scriptsTab && scriptsTab->doAction());
    auto cool = noticeButton(noticeName, QStringLiteral("Cool!"));
    ASSERT_TRUE(cool && cool->doAction()) << "the first look at the scripts brings up the notice";
    ASSERT_TRUE(waitUntil([&] { return !application->find(noticeName); })) << "Cool! dismisses the notice";
    EXPECT_TRUE(waitUntil([&] { return scriptsTab->has(AccessibleState::Selected) && picker.description() == QStringLiteral("Scripts"); }));

    auto row = tree->waitFor(*setupWindow, QStringLiteral("Wave"), QStringLiteral("list item"));
    ASSERT_TRUE(row) << "the user's script is listed";
    hand.click(row->extents().centreX(), row->extents().centreY());
    ASSERT_TRUE(waitUntil([&] { return row->has(AccessibleState::Selected); })) << "a click selects the row";
    AccessibleObject assign = control(QStringLiteral("Assign"));
    AccessibleObject show = control(QStringLiteral("Show"));
    AccessibleObject clear = control(QStringLiteral("Clear"));
    ASSERT_TRUE(waitUntil([&] { return assign.has(AccessibleState::Enabled); })) << "selecting a target offers Assign";

    ASSERT_TRUE(assign.doAction());
    AccessibleObject prompt = control(QStringLiteral("Drawing prompt"));
    ASSERT_TRUE(waitUntil([&] { return prompt.has(AccessibleState::Showing); })) << "Assign asks for a drawing";
    EXPECT_EQ(prompt.description(), QStringLiteral("Draw here!"));
    drawIn(hand, control(QStringLiteral("Drawing area")).extents(), zigzag());
    ASSERT_TRUE(waitUntil([&] { return !drawingsOf(script).isEmpty(); })) << session->listedGestures().constData();
    // How Show replays the gesture is the view's own suite's.
    ASSERT_TRUE(waitUntil([&] { return show.has(AccessibleState::Enabled) && clear.has(AccessibleState::Enabled); }));
    ASSERT_TRUE(clear.doAction());
    ASSERT_TRUE(waitUntil([&] { return drawingsOf(script).isEmpty(); })) << session->listedGestures().constData();
    // The program's own write must not pass for another process's change, which ends the undo.
    AccessibleObject undo = control(QStringLiteral("Undo"));
    // Which buttons each step leaves on, and what Undo says, are the window's own tests'.
    ASSERT_TRUE(waitUntil([&] { return undo.has(AccessibleState::Enabled); })) << "a clear can be undone";
    ASSERT_TRUE(undo.doAction());
    ASSERT_TRUE(waitUntil([&] { return !drawingsOf(script).isEmpty(); })) << "Undo brings it back: " << session->listedGestures().constData();
}

// Where no tray shows the icon, More… carries the tray's commands (which entries, and
// what each does, is the window's own suite's; the file dialogs are the tray menu
// suite's). Each window is a frame to a screen reader, and Escape closes My Gestures and
// the setup window.
TEST_F(SetupEndToEndTest, moreCarriesTheTrayCommandsAndEscapeClosesTheWindows)
{
    session->importGesture(session->makeScript(QStringLiteral("Other")), zigzag());
    ASSERT_NO_FATAL_FAILURE(startApplication());
    EXPECT_EQ(setupWindow->roleName(), QStringLiteral("frame"));
    // Opened, the window takes the keyboard once it has faded in, on the list.
    AccessibleObject targets = control(QStringLiteral("Targets"));
    ASSERT_TRUE(waitUntil([&] { return setupWindowShowsMapped() && targets.has(AccessibleState::Focused); }));
    hand.chord({ "Escape" });
    EXPECT_TRUE(waitUntil([&] { return !setupWindow->has(AccessibleState::Showing); })) << "Escape puts the setup window away";

    auto reopen = [&] {
        // Settled first: put away, or shown with the keyboard.
        ASSERT_TRUE(waitUntil([&] { return !setupWindow->has(AccessibleState::Showing) || targets.has(AccessibleState::Focused); }));
        if (!setupWindow->has(AccessibleState::Showing)) {
            ASSERT_NO_FATAL_FAILURE(startAgain());
        }
        ASSERT_TRUE(waitUntil([&] { return setupWindowShowsMapped() && targets.has(AccessibleState::Focused); }));
    };
    // Qt leaves popup menus out of the tree, so the entry is chosen by its mnemonic, as a
    // keyboard user would.
    auto choose = [&](const char* mnemonic) {
        ASSERT_NO_FATAL_FAILURE(reopen());
        ScreenRect more = control(QStringLiteral("More…")).extents();
        ScreenRect below { more.x, more.y + more.height + 2, more.width, 24 };
        auto covered = hand.picture(below);
        hand.click(more.centreX(), more.centreY());
        ASSERT_TRUE(waitUntil([&] { return hand.picture(below) != covered; })) << "the menu opens below More…";
        hand.chord({ mnemonic });
    };
    ASSERT_NO_FATAL_FAILURE(choose("g"));
    auto sheet = tree->waitFor(*application, QStringLiteral("My Gestures"), QStringLiteral("frame"));
    ASSERT_TRUE(sheet) << "More… opens My Gestures, a frame to a screen reader";
    auto search = tree->waitFor(*sheet, QStringLiteral("Search by name"), QStringLiteral("text"));
    ASSERT_TRUE(search && waitUntil([&] { return search->has(AccessibleState::Focused); })) << "My Gestures has the keyboard";
    hand.chord({ "Escape" });
    EXPECT_TRUE(waitUntil([&] { return !sheet->has(AccessibleState::Showing); })) << "Escape closes My Gestures";

    ASSERT_NO_FATAL_FAILURE(choose("q"));
    EXPECT_TRUE(waitUntil([&] { return session->application().state() == QProcess::NotRunning; }, 10000))
        << "More… quits the program";
    EXPECT_EQ(session->application().exitCode(), 0);
}

// The tray menu's entries on the real program, clicked as a panel clicks them, and what
// they open seen through the accessibility bus.
TEST_F(SetupEndToEndTest, theTrayMenusLastDrawingAddsAMissedDrawingAndItsFileDialogsExportAndImportIt)
{
    ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("false")), 0);
    ASSERT_EQ(session->setSetting(QStringLiteral("minimumRecognitionScore"), QStringLiteral("100")), 0);
    const std::string script = session->makeScript(QStringLiteral("mouse"));
    session->importGesture(script, zigzag());
    ASSERT_NO_FATAL_FAILURE(startWithTray());
    ASSERT_EQ(drawingsOf(script), "1");

    auto window = openRecognitionWindow(hand, 400, 300);
    ASSERT_TRUE(window);
    // That a miss launches nothing is the recognition controller's test; here the Last
    // Drawing window says so, once the recognition has ended and put its window away.
    drawIn(hand, *window, hastyZigzag());
    ASSERT_TRUE(processEventsUntil([&] { return !hand.overrideRedirectWindow(); }, 15000));

    ASSERT_TRUE(menu->click(QStringLiteral("Last Drawing…")));
    auto last = tree->waitFor(*application, QStringLiteral("Last Drawing"));
    ASSERT_TRUE(last) << "the window must open and show in the accessibility tree";
    auto outcome = tree->waitFor(*last, QStringLiteral("Outcome"));
    ASSERT_TRUE(outcome);
    static const QRegularExpression missed(QStringLiteral("^It launched nothing: mouse came closest with \\d\\d%, and 100% is needed\\.$"));
    EXPECT_TRUE(processEventsUntil([&] { return missed.match(outcome->description()).hasMatch(); }))
        << outcome->description().toStdString();

    auto add = tree->waitFor(*last, QStringLiteral("Add to mouse"), QStringLiteral("push button"));
    ASSERT_TRUE(add && add->doAction());
    ASSERT_TRUE(processEventsUntil([&] { return drawingsOf(script) == "2"; })) << drawingsOf(script).constData();

    // Both ways through the desktop's file dialogs: what is exported comes back through
    // an import's preview, stored with one click, with both its drawings.
    QString file = session->homePath(QStringLiteral("saved.json"));

    ASSERT_TRUE(menu->click(QStringLiteral("Export Gestures…")));
    ASSERT_NO_FATAL_FAILURE(chooseInFileDialog(QStringLiteral("Export Gestures"), file, QStringLiteral("Save")));
    ASSERT_TRUE(processEventsUntil([&] { return QFileInfo::exists(file); }));
    ASSERT_EQ(session->runCommand({ QStringLiteral("gestures"), QStringLiteral("delete"), QString::fromStdString(script) }), 0);

    ASSERT_TRUE(menu->click(QStringLiteral("Import Gestures…")));
    ASSERT_NO_FATAL_FAILURE(chooseInFileDialog(QStringLiteral("Import Gestures"), file, QStringLiteral("Open")));
    auto preview = tree->waitFor(*application, QStringLiteral("Import Gestures from saved.json"), QStringLiteral("dialog"));
    ASSERT_TRUE(preview) << "the preview opens once the file is read";
    auto summary = tree->waitFor(*preview, QStringLiteral("Summary"));
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->description(), QStringLiteral("1 to add, 0 to replace, 0 to skip."));
    EXPECT_TRUE(tree->waitFor(*preview, QStringLiteral("mouse")));
    auto importButton = tree->waitFor(*preview, QStringLiteral("Import"), QStringLiteral("push button"));
    ASSERT_TRUE(importButton);
    ASSERT_TRUE(importButton->doAction());
    EXPECT_TRUE(processEventsUntil([&] { return drawingsOf(script) == "2"; })) << "the store holds the gesture again";
}

// The program started in the user's language, read as a screen reader reads it. Only
// LANGUAGE speaks: the locale of the machine running the tests must not. The window
// manager stacks the once-ever notice, in German too, above the setup window, where the
// hand clicks what the screen shows: beneath the setup window the click would land on
// that window instead, and the notice would stay.
TEST_F(SetupEndToEndTest, theSetupWindowSpeaksTheUsersLanguageAndTheScriptsNoticeComesUpAboveItWhereItTakesAClick)
{
    if (!QFileInfo(QString::fromLatin1(OpenboxWindowManager::program)).isExecutable())
        GTEST_SKIP() << OpenboxWindowManager::program << " is missing; install openbox";
    OpenboxWindowManager windowManager(server->display());
    ASSERT_TRUE(windowManager.running()) << "openbox did not take the screen";
    for (const char* variable : { "LC_ALL", "LC_MESSAGES", "LANG" })
        session->environment().remove(QString::fromLatin1(variable));
    // A gesture stored, so the window opens only because no tray is there to hold it.
    session->importGesture(session->makeScript(QStringLiteral("Other")), zigzag());
    // That every catalogue is built and installed, and complete, is the install and
    // catalogue suites' to say; one language shows that the running program reads its own.
    session->environment().insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
    ASSERT_NO_FATAL_FAILURE(startShowingSetupWindow(QStringLiteral("Scriblo-Einrichtung")));
    ASSERT_TRUE(waitUntil([&] { return setupWindow->has(AccessibleState::Showing); }));
    EXPECT_TRUE(control(QStringLiteral("Zuweisen"), QStringLiteral("push button")).has(AccessibleState::Showing));
    EXPECT_TRUE(control(QStringLiteral("Hinweis zum Infobereich")).has(AccessibleState::Showing));
    AccessibleObject picker = control(QStringLiteral("Art des Ziels"));
    EXPECT_EQ(picker.description(), QStringLiteral("Anwendungen"));

    chooseSegment(picker, scriptsSegment);
    const QString notice = QStringLiteral("Hinweis zu eigenen Skripten");
    auto button = noticeButton(notice, QStringLiteral("Super!"));
    ASSERT_TRUE(button && waitUntil([&] { return button->has(AccessibleState::Showing); }))
        << "the first look at the scripts brings up the notice";
    // The button shows once Qt maps the notice, a moment before openbox has stacked it.
    EXPECT_TRUE(waitUntil([&] {
        auto titles = hand.stackedWindowTitles();
        auto setup = std::find_if(titles.begin(), titles.end(), [](const auto& title) { return title.starts_with("Scriblo-Einrichtung"); });
        return setup != titles.end() && std::find(setup, titles.end(), "Scriblo") != titles.end();
    })) << "openbox stacks the notice above the setup window";
    hand.click(button->extents().centreX(), button->extents().centreY());
    EXPECT_TRUE(waitUntil([&] { return !application->find(notice); })) << "a click on Super! dismisses it";
    EXPECT_TRUE(waitUntil([&] { return picker.description() == QStringLiteral("Skripte"); }));
}
