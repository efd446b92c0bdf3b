#include "setup/TrayStatusItem.h"

#include "setup/CommandMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSet>

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
// changed it, and a click says the new state without waiting for a round trip. Every
// entry has a mnemonic, each its own, for keyboard users of hosts that honour them.
TEST(TrayStatusItemTest, explainMissesIsACheckableEntryThatShowsAndChangesTheSetting)
{
    TrayStatusItem item;
    QMenu* menu = trayMenu();
    ASSERT_TRUE(menu);
    QAction* explain = action(*menu, "Explain &Misses");
    ASSERT_TRUE(explain);
    EXPECT_TRUE(explain->isCheckable());
    EXPECT_EQ(menu->actions().front()->text(), "&Setup…");
    EXPECT_EQ(menu->actions().back()->text(), "&Quit");
    QSet<QChar> mnemonics;
    for (QAction* entry : menu->actions()) {
        if (entry->isSeparator())
            continue;
        qsizetype mark = entry->text().indexOf('&');
        ASSERT_GE(mark, 0) << entry->text().toStdString();
        mnemonics.insert(entry->text().at(mark + 1).toLower());
    }
    EXPECT_EQ(mnemonics.size(), menu->actions().size() - 1) << "one separator, and no two entries share a key";

    int openings = 0;
    std::vector<bool> toggles;
    QObject::connect(&item.commands(), &CommandMenu::opening, [&] { ++openings; });
    QObject::connect(&item.commands(), &CommandMenu::explainMissesToggled, [&](bool explain) { toggles.push_back(explain); });
    emit menu->aboutToShow();
    EXPECT_EQ(openings, 1);
    item.commands().setExplainMisses(true);
    EXPECT_TRUE(explain->isChecked());
    explain->trigger();
    EXPECT_EQ(toggles, std::vector<bool> { false });
}
