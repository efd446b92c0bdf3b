#include "base/InlineWorkQueue.h"
#include "core/GestureRecognitionModel.h"
#include "core/MemoryUserDefaults.h"
#include "core/ParabolaDrawing.h"
#include "setup/LastDrawingWindow.h"
#include "support/MailAndMapsDesktop.h"
#include "support/QtTestApplication.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// Mail's gesture and Maps' bend differently; a drawing bent a little more than Mail's
// comes closest to Mail.
std::vector<GestureStroke> mailsDrawing(float bend = 0)
{
    return drawing(30, bend);
}

std::vector<GestureStroke> mapsDrawing()
{
    return drawing(30, 2);
}

// The window on a real store, whose writes run at once.
class LastDrawingWindowTest : public MailAndMapsDesktop {
protected:
    void SetUp() override
    {
        MailAndMapsDesktop::SetUp();
        model = std::make_unique<GestureRecognitionModel>(storage);
        model->setup();
        ASSERT_TRUE(model->saveGestureWithStrokes(mailsDrawing(), "mail.desktop"));
        ASSERT_TRUE(model->saveGestureWithStrokes(mapsDrawing(), "maps.desktop"));
        window = std::make_unique<LastDrawingWindow>(*model, writes, *catalogue);
    }

    // A drawing like Mail's that fell short of the minimum.
    LastDrawing miss() const { return { mailsDrawing(0.5f), MatchOutcome::BelowMinimum, "mail.desktop", 71, 80 }; }

    QPushButton* addButton(const QString& name)
    {
        for (QPushButton* button : window->addButtons())
            if (button->text() == "Add to " + name)
                return button;
        return nullptr;
    }

    int32_t drawingsOf(const std::string& identity) { return model->getGestureWithIdentity(identity)->drawingCount(); }

    MemoryUserDefaults storage;
    std::unique_ptr<GestureRecognitionModel> model;
    InlineWorkQueue writes;
    std::unique_ptr<LastDrawingWindow> window;
};

}

TEST_F(LastDrawingWindowTest, saysWhatTheDrawingDidAndWhatItCameClosestTo)
{
    window->showDrawing(std::nullopt);
    EXPECT_TRUE(window->drawing()->pixmap().isNull());
    EXPECT_TRUE(window->drawing()->text().startsWith("Nothing drawn yet")) << "no empty well in place of a drawing";
    EXPECT_TRUE(window->addButtons().empty());

    window->showDrawing(miss());
    EXPECT_FALSE(window->drawing()->pixmap().isNull());
    EXPECT_EQ(window->outcome()->text(), "It launched nothing: Mail came closest with 71%, and 80% is needed.");
    EXPECT_EQ(window->outcome()->accessibleDescription(), window->outcome()->text()) << "screen readers hear it";
    ASSERT_EQ(window->addButtons().size(), 2u) << "both stored gestures, fewer than three";
    EXPECT_EQ(window->addButtons()[0]->text(), "Add to Mail") << "the closest first";
    EXPECT_EQ(window->addButtons()[0]->accessibleName(), "Add to Mail");
    EXPECT_EQ(window->addButtons()[1]->text(), "Add to Maps");

    window->showDrawing(LastDrawing { mapsDrawing(), MatchOutcome::TargetFound, "maps.desktop", 100, 80 });
    EXPECT_EQ(window->outcome()->text(), "It launched Maps (100%).");
    window->showDrawing(LastDrawing { mapsDrawing(), MatchOutcome::TargetGone, "gone.desktop", 90, 80 });
    EXPECT_EQ(window->outcome()->text(), "It matched gone.desktop, which could not be launched.");
}

TEST_F(LastDrawingWindowTest, addToAddsTheDrawingInOneStepAndUndoTakesItBack)
{
    int changes = 0;
    QObject::connect(window.get(), &LastDrawingWindow::gestureChanged, [&] { ++changes; });
    window->showDrawing(miss());
    EXPECT_FALSE(window->undoButton()->isEnabled());
    addButton("Mail")->click();
    EXPECT_EQ(drawingsOf("mail.desktop"), 2);
    EXPECT_EQ(model->getGestureWithIdentity("mail.desktop")->drawing(1), mailsDrawing(0.5f));
    EXPECT_EQ(window->status()->text(), "Added the drawing to Mail.");
    EXPECT_EQ(changes, 1);
    auto match = model->recognizer()->recognizeGestureWithStrokes(mailsDrawing(0.5f));
    ASSERT_TRUE(match);
    EXPECT_EQ(match->score(), 100) << "the very drawing now matches in full";

    ASSERT_TRUE(window->undoButton()->isEnabled());
    EXPECT_EQ(window->undoButton()->accessibleDescription(), "Take the drawing back from Mail");
    window->undoButton()->click();
    EXPECT_EQ(drawingsOf("mail.desktop"), 1);
    EXPECT_EQ(model->getGestureWithIdentity("mail.desktop")->strokes(), mailsDrawing());
    EXPECT_FALSE(window->undoButton()->isEnabled()) << "one addition, one undo";
    EXPECT_EQ(changes, 2);

    // A wrong launch is fixed the same way, and Ctrl+Z undoes it too.
    window->showDrawing(LastDrawing { mailsDrawing(0.5f), MatchOutcome::TargetFound, "mail.desktop", 85, 80 });
    addButton("Maps")->click();
    EXPECT_EQ(drawingsOf("maps.desktop"), 2);
    for (auto* shortcut : window->findChildren<QShortcut*>())
        if (shortcut->key() == QKeySequence(QKeySequence::Undo))
            Q_EMIT shortcut->activated();
    EXPECT_EQ(drawingsOf("maps.desktop"), 1);
}

TEST_F(LastDrawingWindowTest, aFullGestureTakesNoMoreAndAChangeElsewhereEndsTheUndo)
{
    for (int32_t added = 1; added < Gesture::maximumDrawingCount; ++added)
        ASSERT_TRUE(model->addDrawingToGesture(mailsDrawing(1 + float(added) / 10), "mail.desktop"));
    window->showDrawing(miss());
    EXPECT_FALSE(addButton("Mail")->isEnabled());
    EXPECT_EQ(addButton("Mail")->accessibleDescription(), "Mail keeps as many drawings as it can");
    // As the miss display asks, without a button: the store says no, and the window says why.
    window->addTo("mail.desktop");
    EXPECT_EQ(drawingsOf("mail.desktop"), Gesture::maximumDrawingCount);
    EXPECT_TRUE(window->status()->text().startsWith("Not added to Mail: ")) << window->status()->text().toStdString();
    EXPECT_FALSE(window->undoButton()->isEnabled());

    // Held, the write keeps the buttons off, so a second click cannot add twice.
    writes.held = true;
    addButton("Maps")->click();
    EXPECT_FALSE(addButton("Maps")->isEnabled());
    writes.release();
    ASSERT_TRUE(window->undoButton()->isEnabled());
    window->storeChanged();
    EXPECT_FALSE(window->undoButton()->isEnabled()) << "Undo would now take back another change too";
    EXPECT_EQ(drawingsOf("maps.desktop"), 2);
}
