#include "setup/TrayStatusItem.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <gtest/gtest.h>

using namespace scriblo;

namespace {

QMenu* trayMenu()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto menu = qobject_cast<QMenu*>(widget); menu && menu->accessibleName() == "Scriblo menu")
            return menu;
    return nullptr;
}

QAction* action(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

}

// The check mark is the setting's as the menu opens, since another process may have
// changed it, and a click says the new state without waiting for a round trip.
TEST(TrayStatusItemTest, explainMissesIsACheckableEntryThatShowsAndChangesTheSetting)
{
    TrayStatusItem item;
    QMenu* menu = trayMenu();
    ASSERT_TRUE(menu);
    QAction* explain = action(*menu, "Explain Misses");
    ASSERT_TRUE(explain);
    EXPECT_TRUE(explain->isCheckable());
    EXPECT_EQ(menu->actions().front()->text(), "Setup…");
    EXPECT_EQ(menu->actions().back()->text(), "Quit");

    int openings = 0;
    std::vector<bool> toggles;
    QObject::connect(&item, &TrayStatusItem::menuOpening, [&] { ++openings; });
    QObject::connect(&item, &TrayStatusItem::explainMissesToggled, [&](bool explain) { toggles.push_back(explain); });
    emit menu->aboutToShow();
    EXPECT_EQ(openings, 1);
    item.setExplainMisses(true);
    EXPECT_TRUE(explain->isChecked());
    explain->trigger();
    EXPECT_EQ(toggles, std::vector<bool> { false });
}
