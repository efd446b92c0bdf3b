#include "appearance/PixelCount.h"
#include "core/GestureRecognitionModel.h"
#include "core/ParabolaDrawing.h"
#include "platform/PropertyListUserDefaults.h"
#include "platform/SerialWorkQueue.h"
#include "sheet/GestureSheetWindow.h"
#include "support/MailAndMapsDesktop.h"
#include "support/QtTestApplication.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <QShortcut>
#include <QToolButton>

#include <gmock/gmock.h>

#include <future>

using namespace scriblo;
using ::testing::ElementsAre;
using scriblo::testing::drawing;

namespace {

// The window on a real store file.
class GestureSheetWindowTest : public scriblo::testing::MailAndMapsDesktop {
protected:
    void SetUp() override
    {
        MailAndMapsDesktop::SetUp();
        storage = std::make_shared<PropertyListUserDefaults>(root / "store.plist");
        model = std::make_unique<GestureRecognitionModel>(*storage);
        model->setup();
        ASSERT_TRUE(model->saveGestures({ Gesture("mail.desktop", drawing(24, 1)), Gesture("maps.desktop", drawing(24, 2)),
                                          Gesture("uninstalled.desktop", drawing(24, 3)) }));
        targetNames = std::make_unique<TargetNameCache>(root / "target-names.json");
        window = std::make_unique<GestureSheetWindow>(*model, writes, *catalogue, *targetNames);
        window->reload();
    }

    // Each shown row as "GROUP: NAME | NOTE".
    std::vector<std::string> rows() const
    {
        std::vector<std::string> shown;
        QTreeWidget* list = window->list();
        for (int group = 0; group < list->topLevelItemCount(); ++group) {
            QTreeWidgetItem* heading = list->topLevelItem(group);
            for (int row = 0; row < heading->childCount(); ++row) {
                auto note = heading->child(row)->text(3);
                shown.push_back((heading->text(0) + ": " + heading->child(row)->text(1) + (note.isEmpty() ? "" : " | " + note))
                                    .toStdString());
            }
        }
        return shown;
    }

    void select(const QString& name)
    {
        auto found = window->list()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive, 1);
        ASSERT_EQ(found.size(), 1);
        window->list()->setCurrentItem(found.front());
    }

    size_t gesturesOnDisk() const
    {
        PropertyListUserDefaults reread(root / "store.plist", PropertyListUserDefaults::Access::ReadOnly);
        GestureRecognitionModel stored(reread);
        stored.setup();
        return stored.recognizer()->loadedGestures()->size();
    }

    std::shared_ptr<PropertyListUserDefaults> storage;
    std::unique_ptr<GestureRecognitionModel> model;
    std::unique_ptr<TargetNameCache> targetNames;
    // Gone before the model its writes use, after the window its follow-ups use.
    SerialWorkQueue writes;
    std::unique_ptr<GestureSheetWindow> window;
};

TEST_F(GestureSheetWindowTest, listsEveryGestureByKindOrLastKnownNameAndSearchFiltersByName)
{
    EXPECT_THAT(rows(), ElementsAre("Applications: Mail", "Applications: Maps",
                                    "Unavailable: uninstalled.desktop | No longer on this computer"));
    EXPECT_EQ(window->status()->text().toStdString(), "3 gestures");
    EXPECT_EQ(window->list()->currentItem()->text(1).toStdString(), "Mail") << "the first gesture shows at once";
    EXPECT_TRUE(window->clearButton()->isEnabled());

    auto clearButtons = window->searchField()->findChildren<QToolButton*>();
    ASSERT_EQ(clearButtons.size(), 1);
    EXPECT_EQ(clearButtons[0]->accessibleName().toStdString(), "Clear search");
    window->searchField()->setText("maps");
    EXPECT_THAT(rows(), ElementsAre("Applications: Maps"));
    EXPECT_TRUE(window->emptyListNote()->isHidden());
    window->searchField()->setText("fax");
    EXPECT_THAT(rows(), ElementsAre());
    EXPECT_FALSE(window->emptyListNote()->isHidden()) << "the empty list says why";
    EXPECT_EQ(window->emptyListNote()->text().toStdString(), "No gesture's name holds “fax”.");
    EXPECT_FALSE(window->clearButton()->isEnabled()) << "nothing is left to clear";
    EXPECT_EQ(window->status()->text().toStdString(), "No gesture's name holds “fax”.");

    window->show();
    auto escape = window->findChild<QShortcut*>();
    ASSERT_TRUE(escape && escape->key() == QKeySequence(Qt::Key_Escape));
    Q_EMIT escape->activated();
    EXPECT_FALSE(window->isVisible()) << "Escape closes the window";

    // An uninstalled program goes by the name it had, and its identity is a hover away.
    writeFile(root / "target-names.json", R"({ "uninstalled.desktop": "Old Editor" })");
    targetNames->load();
    window->searchField()->clear();
    window->reload();
    EXPECT_THAT(rows(), ElementsAre("Applications: Mail", "Applications: Maps", "Unavailable: Old Editor | No longer on this computer"));
    select("Old Editor");
    EXPECT_EQ(window->list()->currentItem()->toolTip(1).toStdString(), "uninstalled.desktop");
}

// The setup window lists only targets there are: here is the one place where the
// gesture of an uninstalled program can be seen and let go.
TEST_F(GestureSheetWindowTest, anUnavailableGestureIsShownAndClearedFromTheStore)
{
    // Two drawings, so an undo that brings back only the first shows.
    ASSERT_TRUE(model->addDrawingToGesture(drawing(24, 4), "uninstalled.desktop"));
    window->reload();
    QStringList cleared;
    QObject::connect(window.get(), &GestureSheetWindow::gestureCleared, [&](const QString& identity) { cleared << identity; });
    select("uninstalled.desktop");
    ASSERT_TRUE(window->clearButton()->isEnabled());
    EXPECT_GT(scriblo::testing::pixelsNear(window->preview()->pixmap().toImage(), QColor(49, 212, 74)), 300)
        << "the selected drawing shows large";

    auto drawn = model->getGestureWithIdentity("uninstalled.desktop");
    // A full store takes seconds to write: the window must hand the write to the worker,
    // which is held busy here, and not write on its own thread.
    std::promise<void> release;
    writes.queue([busy = release.get_future().share()] { busy.wait(); }, [] {});
    window->clearButton()->click();
    EXPECT_EQ(gesturesOnDisk(), 3u) << "the store was written on the window's thread";
    release.set_value();
    // Meanwhile nothing more can be cleared or undone.
    EXPECT_FALSE(window->clearButton()->isEnabled());
    EXPECT_FALSE(window->undoButton()->isEnabled());
    ASSERT_TRUE(scriblo::testing::processEventsUntil([&] { return !cleared.isEmpty(); }));
    EXPECT_EQ(cleared, QStringList { "uninstalled.desktop" });
    EXPECT_THAT(rows(), ElementsAre("Applications: Mail", "Applications: Maps"));
    EXPECT_FALSE(window->clearButton()->isEnabled()) << "a second click must not clear another gesture";
    EXPECT_TRUE(window->preview()->pixmap().isNull()) << "no empty well in place of a drawing";
    EXPECT_FALSE(window->preview()->text().isEmpty());

    EXPECT_EQ(window->status()->text().toStdString(), "Cleared the gesture for uninstalled.desktop.");

    EXPECT_EQ(gesturesOnDisk(), 2u) << "the store file no longer holds it";

    // A slip is undone: the very drawing comes back, until the store changes again.
    ASSERT_TRUE(window->undoButton()->isEnabled());
    QStringList restored;
    QObject::connect(window.get(), &GestureSheetWindow::gestureRestored, [&](const QString& identity) { restored << identity; });
    window->undoButton()->click();
    ASSERT_TRUE(scriblo::testing::processEventsUntil([&] { return !restored.isEmpty(); }));
    EXPECT_EQ(restored, QStringList { "uninstalled.desktop" });
    auto back = model->getGestureWithIdentity("uninstalled.desktop");
    ASSERT_TRUE(back && back->drawingCount() == 2);
    EXPECT_EQ(back->drawing(0), drawn->drawing(0));
    EXPECT_EQ(back->drawing(1), drawn->drawing(1));
    EXPECT_THAT(rows(), ElementsAre("Applications: Mail", "Applications: Maps",
                                    "Unavailable: uninstalled.desktop | No longer on this computer"));
    EXPECT_FALSE(window->undoButton()->isEnabled()) << "one clear, one undo";
    window->list()->setCurrentItem(window->list()->topLevelItem(1)->child(0));
    window->clearButton()->click();
    ASSERT_TRUE(scriblo::testing::processEventsUntil([&] { return cleared.size() == 2; }));
    window->reload();
    EXPECT_FALSE(window->undoButton()->isEnabled()) << "a reload after another change ends the undo";
}

}

// Each gesture says how many drawings it keeps; each can be looked at, and all but the
// last removed.
TEST_F(GestureSheetWindowTest, everyDrawingOfAGestureIsShownAndOneCanBeRemoved)
{
    ASSERT_TRUE(model->addDrawingToGesture(drawing(24, 5), "maps.desktop"));
    ASSERT_TRUE(model->addDrawingToGesture(drawing(24, 7), "maps.desktop"));
    window->reload();
    EXPECT_EQ(window->list()->headerItem()->text(2), "Drawings");
    select("Mail");
    EXPECT_EQ(window->list()->currentItem()->text(2), "1");
    EXPECT_FALSE(window->drawingChoice()->isEnabled());
    EXPECT_FALSE(window->removeDrawingButton()->isEnabled()) << "a gesture's only drawing goes with Clear Gesture";

    select("Maps");
    EXPECT_EQ(window->list()->currentItem()->text(2), "3");
    ASSERT_EQ(window->drawingChoice()->count(), 3);
    QImage first = window->preview()->pixmap().toImage();
    window->drawingChoice()->setCurrentIndex(1);
    EXPECT_NE(window->preview()->pixmap().toImage(), first) << "the second drawing shows";
    EXPECT_EQ(window->preview()->accessibleDescription(), "Drawing 2 of 3 for Maps");
    ASSERT_TRUE(window->removeDrawingButton()->isEnabled());
    EXPECT_EQ(window->removeDrawingButton()->accessibleName(), window->removeDrawingButton()->text());

    QStringList removed;
    QObject::connect(window.get(), &GestureSheetWindow::drawingRemoved, [&](const QString& identity) { removed << identity; });
    window->removeDrawingButton()->click();
    EXPECT_FALSE(window->removeDrawingButton()->isEnabled()) << "no second removal while the store is written";
    ASSERT_TRUE(scriblo::testing::processEventsUntil([&] { return !removed.isEmpty(); }));
    EXPECT_EQ(removed, QStringList { "maps.desktop" });
    auto maps = model->getGestureWithIdentity("maps.desktop");
    ASSERT_EQ(maps->drawingCount(), 2);
    EXPECT_EQ(maps->drawing(1), drawing(24, 7));
    EXPECT_EQ(window->list()->currentItem()->text(1), "Maps") << "the gesture stays selected";
    EXPECT_EQ(window->list()->currentItem()->text(2), "2");
}
