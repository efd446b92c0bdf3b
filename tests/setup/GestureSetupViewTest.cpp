#include "SetupFixture.h"
#include "appearance/PixelCount.h"
#include "support/QtTestApplication.h"

#include "setup/GestureSetupView.h"

#include <QImage>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

class GestureSetupViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.resize(400, 300);
        view.setCallbacks({ [this](bool show) { prompts.push_back(show); },
                            [this](std::vector<GestureStroke> strokes) { saved.push_back(std::move(strokes)); },
                            [this] { return settings; } });
    }

    QImage rendered()
    {
        QImage image(view.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        view.render(&image);
        return image;
    }

    int greenPixels() { return pixelsNear(rendered(), QColor(49, 212, 74)); }

    struct PaintCount : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::Paint;
            return false;
        }
    };

    ManualClock clock;
    CaptureSettings settings { false, false, 300 };
    GestureSetupView view { clock, clock, nullptr };
    std::vector<bool> prompts;
    std::vector<std::vector<GestureStroke>> saved;
};

}

TEST_F(GestureSetupViewTest, aCaptureEndsOnTheThirdReleaseWithThreeStrokesInThousandthsOrUnsavedWhenTheFocusGoes)
{
    view.startDetectingGesture();
    EXPECT_TRUE(prompts.back());
    SetupFixture::drawStroke(&view, 6, 0.2);
    SetupFixture::drawStroke(&view, 5, 0.5);
    EXPECT_TRUE(view.detectingInput());
    EXPECT_GT(greenPixels(), 100) << "the strokes are drawn while they grow";
    SetupFixture::drawStroke(&view, 4, 0.8);
    EXPECT_FALSE(view.detectingInput());
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0].size(), 3u);
    EXPECT_EQ(saved[0][0].pointCount(), 6);
    EXPECT_EQ(saved[0][2].pointCount(), 4);
    // Thousandths of the view, y upward: the first press was at (10, 60) of 400 by 300.
    EXPECT_FLOAT_EQ(saved[0][0].points()[0].x(), 25);
    EXPECT_FLOAT_EQ(saved[0][0].points()[0].y(), 800);
    EXPECT_FALSE(prompts.back());
    EXPECT_EQ(greenPixels(), 0);

    // Losing the focus cancels a capture without saving.
    view.startDetectingGesture();
    SetupFixture::drawStroke(&view, 12);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(&view, &focusOut);
    clock.advanceBy(std::chrono::seconds(5));
    EXPECT_FALSE(view.detectingInput());
    EXPECT_EQ(saved.size(), 1u);
}

TEST_F(GestureSetupViewTest, theInputThatCountsFollowsTheMultitouchOption)
{
    settings.multitouchOption = true;
    view.startDetectingGesture();
    SetupFixture::drawStroke(&view, 6);
    TouchFrame frame { 7, { { 1, 4, 0.5f, 0.5f, 0.3f, 0.0f } } };
    clock.advanceBy(std::chrono::milliseconds(100));
    view.dealWithTouchFrame(frame);
    frame.touches[0].x = 0.6f;
    view.dealWithTouchFrame(frame);
    view.dealWithTouchFrame({ 7, {} });
    clock.advanceBy(std::chrono::milliseconds(301));
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(saved[0].size(), 1u) << "the mouse stroke counted for nothing";
    EXPECT_EQ(saved[0][0].pointCount(), 2);

    settings.multitouchOption = false;
    view.startDetectingGesture();
    view.dealWithTouchFrame(frame);
    clock.advanceBy(std::chrono::seconds(5));
    EXPECT_TRUE(saved[1].empty()) << "frames count for nothing in mouse mode";
}

// The view shows the replay as it goes: a repaint only at its end would show nothing
// moving.
TEST_F(GestureSetupViewTest, aReplayDrawsTheStoredGestureStepByStepAndAResetClearsIt)
{
    GestureStroke stroke;
    for (int index = 0; index < 10; ++index)
        stroke.addPoint({ float(100 + index * 80), 500, 0 });
    PaintCount paints;
    view.installEventFilter(&paints);
    view.show();
    ASSERT_TRUE(processEventsUntil([&] { return paints.count > 0; }));
    paints.count = 0;
    view.showGesture(std::make_shared<Gesture>("id", std::vector<GestureStroke> { stroke }));
    ASSERT_TRUE(processEventsUntil([this] { return !view.replayRunning(); }));
    EXPECT_TRUE(processEventsUntil([&] { return paints.count >= 3; }, 1000)) << paints.count << " repaints";
    EXPECT_TRUE(view.showingStoredGesture());
    EXPECT_GT(greenPixels(), 500);
    view.resetAll();
    EXPECT_EQ(greenPixels(), 0);
    view.startDetectingGesture();
    EXPECT_EQ(greenPixels(), 0) << "a capture starts without the last replay's lines";
    // A capture stops a replay and starts from a clean view.
    view.showGesture(std::make_shared<Gesture>("id", std::vector<GestureStroke> { stroke }));
    view.startDetectingGesture();
    EXPECT_FALSE(view.replayRunning());
    EXPECT_FALSE(view.showingStoredGesture());
}
