#include "SetupFixture.h"

#include "setup/ConflictWarningBar.h"

#include <QAccessible>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// Alpha holds three strokes drawn in the window; the same strokes drawn for Beta look
// like Alpha's gesture.
class AssignConflictTest : public SetupFixture {
protected:
    void SetUp() override
    {
        SetupFixture::SetUp();
        startController();
        openWindow();
        select(0);
        assignAndDraw();
        ASSERT_TRUE(recognitionModel->getGestureWithIdentity("Alpha.desktop"));
        ASSERT_FALSE(bar().isVisibleTo(&window())) << "a first gesture conflicts with nothing";
    }

    ConflictWarningBar& bar() { return *window().conflictWarning; }

    void assignAndDraw()
    {
        controller->assignSelectedGesture();
        drawThreeStrokes();
    }
};

}

// The question is an alert, which a screen reader reads out as it shows, wherever the
// user's attention is. Beta's drawing repeats Alpha's, so the two pictures are the same
// drawing; a picture of nothing, or of the wrong gesture, would differ.
TEST_F(AssignConflictTest, theQuestionShowsBothDrawingsThenDrawAgainStartsANewDrawingAndAssignAnywayStoresIt)
{
    select(1);
    assignAndDraw();
    ASSERT_TRUE(bar().isVisibleTo(&window()));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&bar());
    ASSERT_TRUE(accessible);
    EXPECT_EQ(accessible->role(), QAccessible::AlertMessage);
    EXPECT_EQ(accessible->text(QAccessible::Description), "This looks like the gesture for Alpha (100%).");
    EXPECT_EQ(bar().message->text(), "This looks like the gesture for Alpha (100%).");
    EXPECT_EQ(bar().message->accessibleDescription(), bar().message->text());
    EXPECT_EQ(bar().drawAgainButton->accessibleName(), "Draw Again");
    EXPECT_EQ(bar().assignAnywayButton->accessibleName(), "Assign Anyway");
    EXPECT_EQ(recognitionModel->recognizer()->loadedGestures()->size(), 1u) << "nothing is stored before the answer";

    QImage drawn = bar().drawnPicture->pixmap().toImage();
    QImage stored = bar().storedPicture->pixmap().toImage();
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn, stored);
    QImage empty = QPixmap::fromImage(drawn).toImage();
    empty.fill(drawn.pixel(drawn.width() / 2, 2));
    EXPECT_NE(drawn, empty) << "the picture shows a line";
    EXPECT_EQ(bar().drawnPicture->accessibleName(), "New");
    EXPECT_EQ(bar().storedPicture->accessibleName(), "Stored");
    EXPECT_EQ(bar().storedPicture->accessibleDescription(), "The gesture for Alpha");

    QStringList assigned;
    QObject::connect(controller.get(), &GestureSetupController::gestureAssigned, [&](const QString& name) { assigned << name; });
    bar().drawAgainButton->click();
    EXPECT_FALSE(bar().isVisibleTo(&window()));
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Beta.desktop"));
    ASSERT_TRUE(window().setupView->detectingInput());
    drawThreeStrokes();
    ASSERT_TRUE(bar().isVisibleTo(&window())) << "the new drawing is checked again";
    EXPECT_TRUE(assigned.isEmpty());

    // Assign Anyway stores the drawing as Assign does.
    bar().assignAnywayButton->click();
    EXPECT_FALSE(bar().isVisibleTo(&window()));
    ASSERT_TRUE(recognitionModel->getGestureWithIdentity("Beta.desktop"));
    EXPECT_EQ(recognitionModel->getGestureWithIdentity("Beta.desktop")->totalPointCount(), 24);
    EXPECT_EQ(assigned, QStringList { "Beta" });
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, true, true, true }));
}

TEST_F(AssignConflictTest, aRedrawIsNoConflictAndAnotherSelectionDropsTheQuestion)
{
    select(0);
    assignAndDraw();
    EXPECT_FALSE(bar().isVisibleTo(&window())) << "the target's own gesture is replaced, not a conflict";

    select(1);
    assignAndDraw();
    ASSERT_TRUE(bar().isVisibleTo(&window()));
    select(2);
    EXPECT_FALSE(bar().isVisibleTo(&window()));
    bar().assignAnywayButton->click();
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Beta.desktop"));
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Gamma.desktop"));
}
