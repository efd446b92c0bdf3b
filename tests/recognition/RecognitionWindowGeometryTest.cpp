#include "recognition/RecognitionWindowGeometry.h"

#include <gtest/gtest.h>

using namespace scriblo;

namespace {

// Two screens side by side, y upward: a 1440 x 900 laptop panel and a 1920 x 1080
// monitor to its right whose bottom edge sits 180 points lower.
const std::vector<GeometryRect> twoScreens { { 0, 0, 1440, 900 }, { 1440, -180, 1920, 1080 } };

// To the hundredth of a point, which is finer than any screen draws.
void expectNear(const GeometryRect& actual, const GeometryRect& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 0.01);
    EXPECT_NEAR(actual.y, expected.y, 0.01);
    EXPECT_NEAR(actual.width, expected.width, 0.01);
    EXPECT_NEAR(actual.height, expected.height, 0.01);
}

}

TEST(RecognitionWindowGeometryTest, aCentredWindowOnA1440By900ScreenHasTheKnownSizeAndContent)
{
    RecognitionWindowLayout layout = layoutRecognitionWindow(twoScreens, { 700, 450 }, WindowSize::Centred);
    expectNear(layout.frame, { 426.52, 254.35, 586.96, 391.30 });
    EXPECT_NEAR(layout.cornerRadius, 8.152, 0.001);
    EXPECT_DOUBLE_EQ(layout.backgroundAlpha, 0.87);
    expectNear(layout.appIcon, { 195.65, 115.09, 195.65, 195.65 });
    expectNear(layout.appDescription, { 0, 71.15, 586.96, 32.61 });
    expectNear(layout.partialIcon, { 14.67, 11.74, 91.71, 91.71 });
    expectNear(layout.partialDescription, { 117.39, 14.67, 586.96, 20.96 });
    EXPECT_NEAR(layout.appDescriptionFontSize, 22.58, 0.01);
    EXPECT_NEAR(layout.partialDescriptionFontSize, 14.67, 0.01);
}

TEST(RecognitionWindowGeometryTest, theWindowOpensOnTheScreenThatHoldsThePointer)
{
    RecognitionWindowLayout centred = layoutRecognitionWindow(twoScreens, { 2000, 0 }, WindowSize::Centred);
    expectNear(centred.frame, { 1440 + 607.83, -180 + 305.22, 704.35, 469.57 });
    expectNear(centred.appIcon, { 234.78, 138.11, 234.78, 234.78 });
    RecognitionWindowLayout full = layoutRecognitionWindow(twoScreens, { 2000, 0 }, WindowSize::FullScreen);
    EXPECT_EQ(full.frame, twoScreens[1]);
    EXPECT_EQ(full.cornerRadius, 0);
    EXPECT_DOUBLE_EQ(full.backgroundAlpha, 0.92);
    EXPECT_DOUBLE_EQ(full.partialDescriptionFontSize, 48);
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
