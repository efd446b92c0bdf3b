#include "app/demo/DesktopHand.h"
#include "platform/OpenboxWindowManager.h"
#include "support/AccessibleDesktopTest.h"
#include "app/demo/DemoSamples.h"

#include <QElapsedTimer>
#include <QThread>

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

    bool gestureStored(const std::string& identity)
    {
        return session->listedGestures().contains(QByteArray::fromStdString(identity + "\t"));
    }

    // The Z drawn with the left button over `area`, a point every few milliseconds.
    void drawZigzag(const ScreenRect& area)
    {
        hand.trace(area, zigzag(), [] { QThread::msleep(6); });
        hand.release(1);
    }

    // How many different pictures of `area` show during `milliseconds`, the blank one included.
    int distinctPictures(const ScreenRect& area, int milliseconds)
    {
        std::vector<std::vector<unsigned long>> seen;
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < milliseconds) {
            auto picture = hand.picture(area);
            if (std::find(seen.begin(), seen.end(), picture) == seen.end())
                seen.push_back(std::move(picture));
            QCoreApplication::processEvents();
        }
        return int(seen.size());
    }

    // The button of the once-ever notice, which the first look at the scripts brings up.
    std::optional<AccessibleObject> noticeButton(const QString& notice, const QString& button)
    {
        auto shown = tree->waitFor(*application, notice);
        if (!shown)
            return std::nullopt;
        return tree->waitFor(*shown, button, QStringLiteral("push button"));
    }

    DesktopHand hand;
};

}

TEST_F(SetupEndToEndTest, aScreenReaderFindsTheScriptsWhoseGestureTheHandDrawsReplaysClearsAndComesBack)
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
    EXPECT_TRUE(control(QStringLiteral("Tray hint")).has(AccessibleState::Showing));
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
    EXPECT_EQ(picker.roleName(), QStringLiteral("page tab list"));
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
    EXPECT_FALSE(show.has(AccessibleState::Enabled));

    ASSERT_TRUE(assign.doAction());
    AccessibleObject prompt = control(QStringLiteral("Drawing prompt"));
    ASSERT_TRUE(waitUntil([&] { return prompt.has(AccessibleState::Showing); })) << "Assign asks for a drawing";
    EXPECT_EQ(prompt.description(), QStringLiteral("Draw here!"));
    ScreenRect drawingArea = control(QStringLiteral("Drawing area")).extents();
    drawZigzag(drawingArea);
    ASSERT_TRUE(waitUntil([&] { return gestureStored(script); })) << session->listedGestures().constData();
    ASSERT_TRUE(waitUntil([&] { return show.has(AccessibleState::Enabled) && clear.has(AccessibleState::Enabled); }));

    // The replay steps through the strokes, so the area passes through several pictures.
    auto blank = hand.picture(drawingArea);
    ASSERT_TRUE(show.doAction());
    EXPECT_GE(distinctPictures(drawingArea, 800), 3) << "Show replays the gesture step by step";
    EXPECT_NE(hand.picture(drawingArea), blank) << "the replayed gesture stays drawn";

    ASSERT_TRUE(clear.doAction());
    ASSERT_TRUE(waitUntil([&] { return !gestureStored(script); })) << session->listedGestures().constData();
    EXPECT_TRUE(waitUntil([&] { return !show.has(AccessibleState::Enabled); }));
    // The program's own write must not pass for another process's change, which ends the undo.
    AccessibleObject undo = control(QStringLiteral("Undo"));
    ASSERT_TRUE(waitUntil([&] { return undo.has(AccessibleState::Enabled); })) << "a clear can be undone";
    EXPECT_EQ(undo.description(), QStringLiteral("Bring back the gesture for Wave"));
    ASSERT_TRUE(undo.doAction());
    ASSERT_TRUE(waitUntil([&] { return gestureStored(script); })) << "Undo brings it back: " << session->listedGestures().constData();
    EXPECT_TRUE(waitUntil([&] { return show.has(AccessibleState::Enabled) && !undo.has(AccessibleState::Enabled); }));
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

namespace {

// The same program under a window manager, which stacks its windows as a desktop does.
class SetupUnderWindowManagerTest : public SetupEndToEndTest {
protected:
    static void SetUpTestSuite()
    {
        SetupEndToEndTest::SetUpTestSuite();
        if (desktopRunning() && QFileInfo(QString::fromLatin1(OpenboxWindowManager::program)).isExecutable())
            windowManager = new OpenboxWindowManager;
    }
    static void TearDownTestSuite()
    {
        delete windowManager;
        windowManager = nullptr;
        SetupEndToEndTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        SetupEndToEndTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        if (!windowManager)
            GTEST_SKIP() << OpenboxWindowManager::program << " is missing; install openbox";
        ASSERT_TRUE(windowManager->running()) << "openbox did not take the screen";
    }

    static inline OpenboxWindowManager* windowManager = nullptr;
};

}

// The program started in the user's language, read as a screen reader reads it. Only
// LANGUAGE speaks: the locale of the machine running the tests must not. The window
// manager stacks the once-ever notice, in German too, above the setup window, where the
// hand clicks what the screen shows: beneath the setup window the click would land on
// that window instead, and the notice would stay.
TEST_F(SetupUnderWindowManagerTest, theSetupWindowSpeaksEachLanguageAndTheScriptsNoticeComesUpAboveItWhereItTakesAClick)
{
    for (const char* variable : { "LC_ALL", "LC_MESSAGES", "LANG" })
        session->environment().remove(QString::fromLatin1(variable));
    // A gesture stored, so the window opens only because no tray is there to hold it.
    session->importGesture(session->makeScript(QStringLiteral("Other")), zigzag());
    const std::pair<const char*, const char*> languages[] = {
        { "fr", "Configuration de Scriblo" },
        { "es", "Configuración de Scriblo" },
        { "de", "Scriblo-Einrichtung" },
    };
    for (const auto& [language, setupWindowName] : languages) {
        session->stopApplication();
        session->environment().insert(QStringLiteral("LANGUAGE"), QString::fromUtf8(language));
        ASSERT_NO_FATAL_FAILURE(startShowingSetupWindow(QString::fromUtf8(setupWindowName)));
    }
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
    QThread::msleep(300);
    hand.click(button->extents().centreX(), button->extents().centreY());
    EXPECT_TRUE(waitUntil([&] { return !application->find(notice); })) << "a click on Super! dismisses it";
    EXPECT_TRUE(waitUntil([&] { return picker.description() == QStringLiteral("Skripte"); }));
}
