#include "recognition/RecognitionWindowGeometry.h"

#include <gtest/gtest.h>

using namespace scriblo;

namespace {

// Two screens side by side, y upward: a 1440 x 900 laptop panel and a 1920 x 1080
// monitor to its right whose bottom edge sits 180 points lower.
const std::vector<GeometryRect> twoScreens { { 0, 0, 1440, 900 }, { 1440, -180, 1920, 1080 } };

}

TEST(RecognitionWindowGeometryTest, aCentredWindowOnA1440By900ScreenHasTheKnownSizeAndContent)
{
    RecognitionWindowLayout layout = layoutRecognitionWindow(twoScreens, { 700, 450 }, WindowSize::Centred);
    EXPECT_NEAR(layout.frame.width, 586.96, 0.01);
    EXPECT_NEAR(layout.frame.height, 391.30, 0.01);
    EXPECT_NEAR(layout.frame.x, (1440 - layout.frame.width) / 2, 1e-9);
    EXPECT_NEAR(layout.frame.y, (900 - layout.frame.height) / 2, 1e-9);
    EXPECT_NEAR(layout.cornerRadius, 8.152, 0.001);
    EXPECT_DOUBLE_EQ(layout.backgroundAlpha, 0.87);
    double w = layout.frame.width, h = layout.frame.height;
    EXPECT_EQ(layout.appIcon, (GeometryRect { (w - h / 2) / 2, h / 3.4, h / 2, h / 2 }));
    EXPECT_EQ(layout.appDescription, (GeometryRect { 0, h / 5.5, w, h / 12 }));
    EXPECT_EQ(layout.partialIcon, (GeometryRect { w / 40, w / 50, w / 6.4, w / 6.4 }));
    EXPECT_EQ(layout.partialDescription, (GeometryRect { w / 5, w / 40, w, w / 28 }));
    EXPECT_DOUBLE_EQ(layout.appDescriptionFontSize, w / 26);
    EXPECT_DOUBLE_EQ(layout.partialDescriptionFontSize, w / 40);
}

TEST(RecognitionWindowGeometryTest, theWindowOpensOnTheScreenThatHoldsThePointer)
{
    RecognitionWindowLayout centred = layoutRecognitionWindow(twoScreens, { 2000, 0 }, WindowSize::Centred);
    EXPECT_NEAR(centred.frame.x + centred.frame.width / 2, 1440 + 960, 1e-9);
    EXPECT_NEAR(centred.frame.y + centred.frame.height / 2, -180 + 540, 1e-9);
    RecognitionWindowLayout full = layoutRecognitionWindow(twoScreens, { 2000, 0 }, WindowSize::FullScreen);
    EXPECT_EQ(full.frame, twoScreens[1]);
    EXPECT_EQ(full.cornerRadius, 0);
    EXPECT_DOUBLE_EQ(full.backgroundAlpha, 0.92);
    EXPECT_DOUBLE_EQ(full.partialDescriptionFontSize, 1920.0 / 40);
}

TEST(RecognitionWindowGeometryTest, sharedEdgesBelongToOneScreenAndOutsideGivesNoWindow)
{
    struct Case {
        GeometryPoint pointer;
        GeometryRect expected;
    };
    for (const Case& test : { Case { { 1440, 450 }, twoScreens[1] }, Case { { 1439.5, 450 }, twoScreens[0] },
                              Case { { 100, 900 }, twoScreens[0] }, Case { { 100, 0 }, {} },
                              Case { { 100, 901 }, {} }, Case { { -1, 10 }, {} } }) {
        EXPECT_EQ(layoutRecognitionWindow(twoScreens, test.pointer, WindowSize::FullScreen).frame, test.expected)
            << test.pointer.x << ", " << test.pointer.y;
    }
    RecognitionWindowLayout outside = layoutRecognitionWindow(twoScreens, { 5000, 5000 }, WindowSize::Centred);
    EXPECT_EQ(outside.frame, GeometryRect());
    EXPECT_EQ(outside.appIcon, GeometryRect());
}

// Qt places windows from the top left with y downward; the layout is y-up.
TEST(RecognitionWindowGeometryTest, topDownLayoutMirrorsFrameInTheDesktopAndContentInTheWindow)
{
    // In Qt's terms: the panel at y 0..900 and the monitor at y 0..1080 beside it.
    const double desktopHeight = 1080;
    std::vector<GeometryRect> screens;
    for (GeometryRect qtScreen : { GeometryRect { 0, 0, 1440, 900 }, GeometryRect { 1440, 0, 1920, 1080 } })
        screens.push_back(flipRect(qtScreen, desktopHeight));
    EXPECT_EQ(screens[0], (GeometryRect { 0, 180, 1440, 900 }));
    // The top pixel row of the panel is on the panel.
    GeometryPoint pointer = flipPoint({ 100, 0 }, desktopHeight);
    RecognitionWindowLayout layout = layoutRecognitionWindow(screens, pointer, WindowSize::Centred);
    RecognitionWindowLayout topDown = layoutTopDown(layout, desktopHeight);
    double w = layout.frame.width, h = layout.frame.height;
    EXPECT_NEAR(topDown.frame.y, (900 - h) / 2, 1e-9);
    EXPECT_EQ(topDown.frame.x, layout.frame.x);
    EXPECT_NEAR(topDown.partialIcon.y, h - w / 50 - w / 6.4, 1e-9);
    EXPECT_NEAR(topDown.appIcon.y, h - h / 3.4 - h / 2, 1e-9);
    EXPECT_EQ(topDown.cornerRadius, layout.cornerRadius);
}
