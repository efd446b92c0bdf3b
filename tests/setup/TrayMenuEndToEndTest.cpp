#include "app/demo/DemoSamples.h"
#include "app/demo/DesktopHand.h"
#include "setup/StatusNotifierWatcherStandIn.h"
#include "setup/TrayMenu.h"
#include "support/AccessibleDesktopTest.h"

#include <QDBusConnectionInterface>
#include <QFileInfo>

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::DemoSamples::zigzag;
using namespace scriblo::testing;

namespace {


// A zigzag whose middle stroke lands short: close to the stored one, never equal.
std::vector<std::pair<double, double>> hastyZigzag()
{
    std::vector<std::pair<double, double>> points;
    const std::pair<double, double> corners[] = { { 200, 800 }, { 800, 800 }, { 330, 260 }, { 800, 200 } };
    for (size_t side = 0; side + 1 < std::size(corners); ++side)
        for (int step = 0; step < 12; ++step) {
            double t = step / 12.0;
            points.emplace_back(corners[side].first + t * (corners[side + 1].first - corners[side].first),
                                corners[side].second + t * (corners[side + 1].second - corners[side].second));
        }
    points.push_back(corners[std::size(corners) - 1]);
    return points;
}

// The tray menu's entries on the real program, clicked as a panel clicks them, and what
// they open seen through the accessibility bus.
class TrayMenuEndToEndTest : public AccessibleDesktopTest {
protected:
    static void SetUpTestSuite()
    {
        startAccessibleDesktop(QStringLiteral("1024x768x24"));
        if (desktopRunning())
            testBus = new QDBusConnection(QDBusConnection::connectToBus(bus->address(), QStringLiteral("tray-menu-test")));
    }
    static void TearDownTestSuite()
    {
        if (testBus) {
            QDBusConnection::disconnectFromBus(QStringLiteral("tray-menu-test"));
            delete testBus;
            testBus = nullptr;
        }
        AccessibleDesktopTest::TearDownTestSuite();
    }

    void SetUp() override
    {
        AccessibleDesktopTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(hand.connected());
        ASSERT_FALSE(testBus->interface()->isServiceRegistered(StatusNotifierWatcherStandIn::service).value());
        watcher = std::make_unique<StatusNotifierWatcherStandIn>(*testBus);
        ASSERT_EQ(session->setSetting(QStringLiteral("multitouchOption"), QStringLiteral("false")), 0);
    }

    void TearDown() override
    {
        AccessibleDesktopTest::TearDown();
        watcher.reset();
    }

    // The program with its icon in the stand-in's tray; its stored gestures keep the
    // setup window shut.
    void startWithTray()
    {
        ASSERT_NO_FATAL_FAILURE(session->startApplication());
        application = tree->application(QStringLiteral("Scriblo"));
        ASSERT_TRUE(application);
        ASSERT_TRUE(processEventsUntil([&] { return !watcher->registeredItems().isEmpty(); }));
        menu = std::make_unique<TrayMenu>(*testBus, watcher->registeredItems().last());
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

    static inline QDBusConnection* testBus = nullptr;
    DesktopHand hand;
    std::unique_ptr<StatusNotifierWatcherStandIn> watcher;
    std::unique_ptr<TrayMenu> menu;
};

}

TEST_F(TrayMenuEndToEndTest, lastDrawingAddsAMissedDrawingAndTheFileDialogsExportAndImportIt)
{
    ASSERT_EQ(session->setSetting(QStringLiteral("minimumRecognitionScore"), QStringLiteral("100")), 0);
    const std::string script = session->makeScript(QStringLiteral("mouse"));
    session->importGesture(script, zigzag());
    ASSERT_NO_FATAL_FAILURE(startWithTray());
    auto drawings = [&] {
        for (const QByteArray& line : session->listedGestures().split('\n'))
            if (line.startsWith(QByteArray::fromStdString(script + "\t")))
                return line.split('\t').last();
        return QByteArray();
    };
    ASSERT_EQ(drawings(), "1");

    auto window = openRecognitionWindow(hand, 400, 300);
    ASSERT_TRUE(window);
    drawIn(hand, *window, hastyZigzag());
    EXPECT_FALSE(session->scriptRan(QStringLiteral("mouse"), 1000)) << "a miss launches nothing";

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
    ASSERT_TRUE(processEventsUntil([&] { return drawings() == "2"; })) << drawings().constData();

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
    EXPECT_TRUE(processEventsUntil([&] { return drawings() == "2"; })) << "the store holds the gesture again";
}
