#include "base/ManualClock.h"
#include "multitouch/FakeMultitouchServices.h"
#include "multitouch/MultitouchManager.h"
#include "recognition/GestureRecognitionView.h"
#include "recognition/GestureRecognitionWindow.h"
#include "support/MouseEvents.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

const QRect leftScreen(0, 0, 800, 600);
// Lower than the left one's top, so a y-up formula applied to y-down numbers shows.
const QRect rightScreen(800, 300, 640, 480);

QRectF frameOf(const RecognitionWindowLayout& layout)
{
    return { layout.frame.x, layout.frame.y, layout.frame.width, layout.frame.height };
}

}

// The layout itself is y-up; these are the flips between it and Qt's y-down desktop.
TEST(GestureRecognitionWindowTest, opensCentredOrFullOnThePointersScreenInQtCoordinates)
{
    auto right = GestureRecognitionWindow::layoutFor({ leftScreen, rightScreen }, QPoint(1000, 700), WindowSize::Centred);
    EXPECT_EQ(frameOf(right).toRect(), QRect(963, 436, 313, 209));
    // The top row of a screen belongs to it, the row below its bottom edge does not.
    auto topRow = GestureRecognitionWindow::layoutFor({ leftScreen, rightScreen }, QPoint(900, 300), WindowSize::FullScreen);
    EXPECT_EQ(frameOf(topRow), QRectF(rightScreen));
    auto belowLeft = GestureRecognitionWindow::layoutFor({ leftScreen, rightScreen }, QPoint(100, 600), WindowSize::FullScreen);
    EXPECT_EQ(belowLeft.frame.width, 0);
}

TEST(GestureRecognitionWindowTest, placesTheResultControlsAndFontsFromTheWindowSize)
{
    ManualClock clock;
    MultitouchManager manager({ std::make_shared<FakeFramework>(), std::make_shared<FakeHardwareWatcher>(),
                                std::make_shared<FakeMainThread>(), std::make_shared<FakeDisplays>() });
    auto* view = new GestureRecognitionView(clock, clock, [] { return CaptureSettings {}; }, manager);
    GestureRecognitionWindow window(view);
    auto layout = GestureRecognitionWindow::layoutFor({ QRect(0, 0, 1440, 900) }, QPoint(5, 5), WindowSize::Centred);
    window.applyLayout(layout);

    // Qt's y runs downward, so the icons' tops are measured from the window's top.
    EXPECT_EQ(view->geometry(), QRect(0, 0, 587, 391));
    EXPECT_EQ(window.appIconAlert()->geometry(), QRect(196, 81, 195, 195));
    EXPECT_EQ(window.partialIconAlert()->geometry(), QRect(15, 288, 92, 92));
    EXPECT_EQ(window.partialDescriptionAlert()->geometry().width(), 587) << "long texts run past the right edge";
    EXPECT_EQ(window.appDescriptionAlert()->font().pixelSize(), 23);
    EXPECT_EQ(window.partialDescriptionAlert()->font().pixelSize(), 15);
    for (QWidget* control : window.findChildren<QWidget*>())
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
}

TEST(GestureRecognitionViewTest, paintsStrokesGreenOverADarkEdgeOnlyWhileCapturing)
{
    ManualClock clock;
    MultitouchManager manager({ std::make_shared<FakeFramework>(), std::make_shared<FakeHardwareWatcher>(),
                                std::make_shared<FakeMainThread>(), std::make_shared<FakeDisplays>() });
    GestureRecognitionView view(clock, clock, [] { return CaptureSettings { false, false, 5 }; }, manager);
    view.resize(950, 300);
    view.startDetectingGesture(CaptureMode::Normal);
    sendMouse(&view, QEvent::MouseButtonPress, { 100, 150 }, Qt::LeftButton);
    sendMouse(&view, QEvent::MouseMove, { 800, 150 }, Qt::LeftButton);

    // 950 / 95 gives a 10-pixel line inside a 15-pixel dark edge.
    QImage drawn = view.grab().toImage();
    EXPECT_EQ(drawn.pixelColor(400, 150), QColor(49, 212, 74));
    QColor edge = drawn.pixelColor(400, 156);
    EXPECT_EQ(edge.red(), 0);
    EXPECT_NEAR(edge.alphaF(), 0.36, 0.02);
    EXPECT_EQ(drawn.pixelColor(400, 165).alpha(), 0);

    view.finishDetectingGesture(CaptureEnding::DiscardStrokes);
    EXPECT_EQ(view.grab().toImage().pixelColor(400, 150).alpha(), 0) << "an ended capture leaves the view blank";
}
