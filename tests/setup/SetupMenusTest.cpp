#include "SetupFixture.h"
#include "support/QtTestApplication.h"

#include "launch/Settings.h"
#include "setup/CommandMenu.h"
#include "setup/GestureSetupWindow.h"
#include "setup/TrayStatusItem.h"
#include "setup/LastDrawingWindow.h"
#include "sheet/GestureSheetWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// The setup window where no tray shows the icon: it has to offer what the tray's menu
// would, or those commands are lost.
class SetupMenusTest : public SetupFixture {
protected:
    QAction* entry(const QString& text)
    {
        for (QAction* action : window().commands->menu()->actions())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    }
};

}

TEST_F(SetupMenusTest, withoutATrayTheWindowOffersEveryCommandOfTheTrayMenuUntilATrayComes)
{
    withTray = true;
    startController();
    ASSERT_TRUE(controller->statusItem());
    ASSERT_FALSE(controller->statusItem()->hostAvailable());
    EXPECT_TRUE(controller->isSetupWindowVisible()) << "the window is the way in";
    QPushButton* more = window().moreButton;
    EXPECT_TRUE(more->isVisibleTo(&window()));
    EXPECT_TRUE(window().trayHint->isVisibleTo(&window()));
    EXPECT_EQ(window().trayHint->accessibleDescription(), window().trayHint->text()) << "a screen reader hears the hint";
    EXPECT_EQ(more->accessibleName(), more->text());
    EXPECT_EQ(more->menu(), window().commands->menu());

    // The same commands as the tray's, Setup… aside, which is this window. Every entry has
    // a mnemonic, each its own, for keyboard users of hosts that honour them.
    QMenu* trayMenu = controller->statusItem()->commands().menu();
    EXPECT_EQ(trayMenu->accessibleName(), "Scriblo menu");
    QStringList tray, here;
    for (QAction* action : trayMenu->actions())
        tray << action->text();
    for (QAction* action : more->menu()->actions())
        here << action->text();
    EXPECT_EQ(tray.front(), "&Setup…");
    EXPECT_EQ(tray.back(), "&Quit");
    QSet<QChar> mnemonics;
    for (const QString& text : tray) {
        if (text.isEmpty())
            continue;
        EXPECT_TRUE(text.contains('&')) << text.toStdString();
        mnemonics.insert(text.at(text.indexOf('&') + 1).toLower());
    }
    EXPECT_EQ(mnemonics.size(), tray.size() - 1) << "one separator, and no two entries share a key";
    tray.removeFirst();
    EXPECT_EQ(here, tray);

    int imports = 0, exports = 0, quits = 0;
    QObject::connect(controller.get(), &GestureSetupController::importRequested, [&] { ++imports; });
    QObject::connect(controller.get(), &GestureSetupController::exportRequested, [&] { ++exports; });
    QObject::connect(controller.get(), &GestureSetupController::quitRequested, [&] { ++quits; });
    entry("&Import Gestures…")->trigger();
    entry("&Export Gestures…")->trigger();
    entry("&Quit")->trigger();
    EXPECT_EQ(std::vector<int>({ imports, exports, quits }), std::vector<int>({ 1, 1, 1 }));

    entry("My &Gestures…")->trigger();
    ASSERT_TRUE(controller->gestureSheetWindow());
    EXPECT_TRUE(controller->gestureSheetWindow()->isVisible());
    entry("&Last Drawing…")->trigger();
    ASSERT_TRUE(controller->lastDrawingWindow());
    EXPECT_TRUE(controller->lastDrawingWindow()->isVisible()) << "where no tray is, the window offers it";

    // The check mark is the setting's when the menu opens, since another process may
    // have changed it.
    Settings& settings = controller->targetsAndSettings().settings();
    QAction* explain = entry("Explain &Misses");
    settings.saveExplainMissesOption(true);
    Q_EMIT more->menu()->aboutToShow();
    EXPECT_TRUE(explain->isChecked());
    explain->trigger();
    EXPECT_FALSE(settings.explainMissesOption());

    // A tray that comes takes the commands over, and one that goes gives them back.
    Q_EMIT controller->statusItem()->hostAvailabilityChanged(true);
    EXPECT_FALSE(more->isVisibleTo(&window()));
    EXPECT_FALSE(window().trayHint->isVisibleTo(&window()));
    Q_EMIT controller->statusItem()->hostAvailabilityChanged(false);
    EXPECT_TRUE(more->isVisibleTo(&window()));
}
