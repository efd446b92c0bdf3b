#include "SetupFixture.h"
#include "core/ParabolaDrawing.h"
#include "support/QtTestApplication.h"

#include "setup/DrawingNumberBar.h"
#include "setup/SelectedGestureDrawings.h"

#include <QLabel>
#include <QPushButton>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// Add Drawing, Show stepping through the drawings and Remove Drawing in the setup window,
// on a real store whose writes run at once.
class SetupDrawingsTest : public SetupFixture {
protected:
    void SetUp() override
    {
        SetupFixture::SetUp();
        ASSERT_TRUE(recognitionModel->saveGestureWithStrokes(drawing(14), "Alpha.desktop"));
        startController();
        openWindow();
    }

    int32_t drawingsOfAlpha()
    {
        auto gesture = recognitionModel->getGestureWithIdentity("Alpha.desktop");
        return gesture ? gesture->drawingCount() : 0;
    }

    DrawingNumberBar& numberBar() { return *window().drawingNumber; }
};

}

TEST_F(SetupDrawingsTest, addDrawingTakesTheNextDrawingAsOneMoreOfTheSelectedGestureUntilItIsFull)
{
    select(1);
    EXPECT_FALSE(window().addDrawingButton->isEnabled()) << "Beta has no gesture to add to";
    select(0);
    ASSERT_TRUE(window().addDrawingButton->isEnabled());
    EXPECT_EQ(window().addDrawingButton->accessibleName(), window().addDrawingButton->text());

    window().addDrawingButton->click();
    EXPECT_TRUE(window().setupView->detectingInput());
    EXPECT_EQ(controller->buttons(), SetupButtonRules::allOff()) << "nothing else while the drawing is asked for";
    drawStroke(window().setupView, 16);
    clock.advanceBy(std::chrono::seconds(5));
    EXPECT_EQ(drawingsOfAlpha(), 2);
    EXPECT_EQ(recognitionModel->getGestureWithIdentity("Alpha.desktop")->strokes(), drawing(14)) << "the first stays first";
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, true, true, true }));

    // A capture that runs out with nothing drawn says what to press, here Add Drawing.
    window().addDrawingButton->click();
    clock.advanceBy(GestureSetupView::noInputTimeout + std::chrono::seconds(1));
    EXPECT_EQ(drawingsOfAlpha(), 2);
    EXPECT_TRUE(window().assignMessageText->text().contains("Press Add Drawing")) << window().assignMessageText->text().toStdString();

    // A gesture with all its drawings takes no more, but is still shown and cleared.
    for (int32_t added = 2; added < Gesture::maximumDrawingCount; ++added)
        ASSERT_TRUE(recognitionModel->addDrawingToGesture(drawing(14, added * 3), "Alpha.desktop"));
    controller->gesturesChanged();
    select(0);
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, false, true, true }));
}

TEST_F(SetupDrawingsTest, showStepsThroughTheDrawingsAndRemoveDrawingTakesTheOneShown)
{
    select(0);
    window().showGestureButton->click();
    EXPECT_TRUE(numberBar().isHidden()) << "one drawing needs no number";

    ASSERT_TRUE(recognitionModel->addDrawingToGesture(drawing(14, 40), "Alpha.desktop"));
    ASSERT_TRUE(recognitionModel->addDrawingToGesture(drawing(14, 80), "Alpha.desktop"));
    controller->gesturesChanged();
    select(0);
    for (const char* expected : { "Drawing 1 of 3", "Drawing 2 of 3", "Drawing 3 of 3", "Drawing 1 of 3", "Drawing 2 of 3" }) {
        window().showGestureButton->click();
        EXPECT_EQ(numberBar().numberText->text(), expected);
        EXPECT_EQ(numberBar().numberText->accessibleDescription(), expected);
    }
    EXPECT_EQ(numberBar().numberText->accessibleName(), "Drawing shown") << "what a screen reader finds it by";
    EXPECT_FALSE(numberBar().isHidden());
    EXPECT_EQ(numberBar().removeButton->accessibleName(), "Remove Drawing");
    EXPECT_EQ(numberBar().removeButton->accessibleDescription(), "Remove drawing 2 of 3 from the gesture");

    numberBar().removeButton->click();
    auto gesture = recognitionModel->getGestureWithIdentity("Alpha.desktop");
    ASSERT_EQ(gesture->drawingCount(), 2);
    EXPECT_EQ(gesture->drawing(0), drawing(14));
    EXPECT_EQ(gesture->drawing(1), drawing(14, 80)) << "the second, the one shown, went";
    EXPECT_TRUE(numberBar().isHidden()) << "the area shows nothing after the change";

    // Another target starts again from its first drawing.
    EXPECT_EQ(SelectedGestureDrawings::nextIndex(SelectedGestureDrawings::Shown { "Alpha.desktop", 1 }, "Gamma.desktop", 3), 0);
}
