#include "SetupFixture.h"
#include "support/QtTestApplication.h"

#include "setup/LaunchableArrayModel.h"
#include "sheet/GestureSheetWindow.h"

#include <QPushButton>
#include <QShortcut>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// Undo of the setup window's Clear: the drawing that Clear took comes back as it was,
// until the store changes otherwise.
class SetupUndoTest : public SetupFixture {
protected:
    void SetUp() override
    {
        SetupFixture::SetUp();
        ASSERT_TRUE(recognitionModel->saveGestureWithStrokes(drawing(), "Alpha.desktop"));
        ASSERT_TRUE(recognitionModel->saveGestureWithStrokes(drawing(7), "Gamma.desktop"));
    }

    // Two strokes, so a restore that loses one or reorders them shows.
    static std::vector<GestureStroke> drawing(int shift = 0)
    {
        std::vector<GestureStroke> strokes(2);
        for (int index = 0; index < 12; ++index) {
            strokes[0].addPoint({ float(index * 40 + shift), float(index * 20), 0 });
            strokes[1].addPoint({ float(900 - index * 30), float(index * 50 + shift), 1 });
        }
        return strokes;
    }

    void openAndSelect(int row)
    {
        if (!controller)
            startController();
        openWindow();
        select(row);
    }

    QPushButton* undo() { return window().undoClearButton; }

    void pressCtrlZ()
    {
        for (auto* shortcut : window().findChildren<QShortcut*>())
            if (shortcut->key() == QKeySequence(QKeySequence::Undo))
                return Q_EMIT shortcut->activated();
        ADD_FAILURE() << "no Ctrl+Z in the window";
    }

    std::vector<GestureStroke> strokesOf(const std::string& identity)
    {
        auto gesture = recognitionModel->getGestureWithIdentity(identity);
        return gesture ? gesture->strokes() : std::vector<GestureStroke> {};
    }
};

}

TEST_F(SetupUndoTest, undoBringsBackTheVeryDrawingOnceWhicheverTargetIsSelectedNow)
{
    openAndSelect(0);
    EXPECT_FALSE(undo()->isEnabled()) << "nothing was cleared yet";
    controller->clearSelectedGesture();
    ASSERT_FALSE(recognitionModel->getGestureWithIdentity("Alpha.desktop"));
    ASSERT_TRUE(undo()->isEnabled());
    EXPECT_EQ(undo()->accessibleName(), undo()->text());
    EXPECT_EQ(undo()->accessibleDescription(), "Bring back the gesture for Alpha");

    openAndSelect(1);
    ASSERT_TRUE(undo()->isEnabled()) << "choosing another target changes no gesture";
    undo()->click();
    EXPECT_EQ(strokesOf("Alpha.desktop"), drawing());
    EXPECT_FALSE(undo()->isEnabled()) << "one clear, one undo";
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, false, false, false })) << "Beta, still selected, has none";

    openAndSelect(2);
    controller->clearSelectedGesture();
    pressCtrlZ();
    EXPECT_EQ(strokesOf("Gamma.desktop"), drawing(7));
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, true, true, true }));
}

TEST_F(SetupUndoTest, undoWaitsForTheStoreAndForADrawingAndEndsAtTheNextChangeHereOrInMyGestures)
{
    openAndSelect(0);
    // The list marks the targets that have a gesture, for the eye and for a screen reader.
    LaunchableArrayModel& rows = controller->launchableArray();
    auto marked = [&](int row) { return rows.data(rows.index(row), Qt::AccessibleDescriptionRole).toString().toStdString(); };
    EXPECT_EQ(marked(0), "Has a gesture");
    EXPECT_TRUE(rows.data(rows.index(0), Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(marked(1), "");
    storeWrites.held = true;
    controller->clearSelectedGesture();
    EXPECT_FALSE(undo()->isEnabled()) << "the clear is not written yet";
    EXPECT_EQ(controller->buttons(), SetupButtonRules::allOff()) << "a second Clear waits for the first";
    storeWrites.release();
    ASSERT_TRUE(undo()->isEnabled());
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, false, false, false }));
    EXPECT_EQ(marked(0), "") << "the mark goes with the gesture";

    openAndSelect(1);
    controller->assignSelectedGesture();
    EXPECT_FALSE(undo()->isEnabled()) << "a drawing is asked for";
    pressCtrlZ();
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Alpha.desktop"));
    drawThreeStrokes();
    ASSERT_TRUE(recognitionModel->getGestureWithIdentity("Beta.desktop"));
    EXPECT_FALSE(undo()->isEnabled()) << "an assignment is a change";
    pressCtrlZ();
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Alpha.desktop"));

    // An import, or a change another process made, reaches the window the same way.
    controller->clearSelectedGesture();
    ASSERT_TRUE(undo()->isEnabled());
    controller->gesturesChanged();
    EXPECT_FALSE(undo()->isEnabled());

    // Something for My Gestures to clear.
    ASSERT_TRUE(recognitionModel->saveGestureWithStrokes(drawing(), "Alpha.desktop"));
    openAndSelect(2);
    controller->clearSelectedGesture();
    ASSERT_TRUE(undo()->isEnabled());
    controller->showGestureSheet();
    GestureSheetWindow* sheet = controller->gestureSheetWindow();
    ASSERT_TRUE(sheet && sheet->clearButton()->isEnabled());
    sheet->clearButton()->click();
    EXPECT_FALSE(undo()->isEnabled()) << "a clear in My Gestures is a change too";
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Gamma.desktop"));
    // And the other way round: My Gestures' Undo must not bring an old drawing back over
    // a change made here.
    ASSERT_TRUE(sheet->undoButton()->isEnabled());
    openAndSelect(1);
    controller->clearSelectedGesture();
    EXPECT_FALSE(sheet->undoButton()->isEnabled());
}
