#include "base/ManualClock.h"
#include "setup/SetupButtonRules.h"
#include "setup/SetupWindowFade.h"
#include "setup/SetupWindowPlacement.h"

#include <gtest/gtest.h>

#include <vector>

using namespace scriblo;
using Selection = SetupButtonRules::Selection;

TEST(SetupButtonRulesTest, refreshFollowsTheSelectedTargetAndLeavesButtonsAloneWithoutOne)
{
    SetupButtons off = SetupButtonRules::allOff();
    EXPECT_EQ(SetupButtonRules::afterRefresh(off, Selection::TargetWithGesture), (SetupButtons { true, true, true, true }));
    EXPECT_EQ(SetupButtonRules::afterRefresh(off, Selection::TargetWithoutGesture), (SetupButtons { true, false, false, false }));
    // A gesture with all its drawings is shown, replaced and cleared, but takes no more.
    EXPECT_EQ(SetupButtonRules::afterRefresh(off, Selection::TargetWithAllDrawings), (SetupButtons { true, false, true, true }));
    // An assignment turned everything off; a refresh with no row must not undo that.
    EXPECT_EQ(SetupButtonRules::afterRefresh(off, Selection::None), off);
    SetupButtons on { true, true, true, true };
    EXPECT_EQ(SetupButtonRules::afterRefresh(on, Selection::None), on);
}

TEST(SetupWindowPlacementTest, hangsCentredBelowTheTrayIconOrClearOfTheClickedPoint)
{
    GeometryRect screen { 0, 30, 1920, 1050 };
    GeometryPoint below = SetupWindowPlacement::topLeft(GeometryRect { 1000, 0, 24, 30 }, { 5, 5 }, 600, 400, screen);
    EXPECT_DOUBLE_EQ(below.x, 1012 - 300);
    EXPECT_DOUBLE_EQ(below.y, 30);
    // No geometry from the tray: the icon is taken as the 48-point square around the click.
    GeometryPoint atPointer = SetupWindowPlacement::topLeft(std::nullopt, { 800, 40 }, 600, 400, screen);
    EXPECT_DOUBLE_EQ(atPointer.x, 500);
    EXPECT_DOUBLE_EQ(atPointer.y, 64);
    // Without a window manager's work area the top panel is inside the available area,
    // and the window must still start below the icon, not at the pointer.
    GeometryPoint noWorkArea = SetupWindowPlacement::topLeft(std::nullopt, { 1000, 12 }, 600, 400, { 0, 0, 1024, 768 });
    EXPECT_DOUBLE_EQ(noWorkArea.x, 1024 - 600);
    EXPECT_DOUBLE_EQ(noWorkArea.y, 36);
}

TEST(SetupWindowPlacementTest, standsAboveABottomPanelAndBesideASidePanel)
{
    GeometryRect screen { 1920, 0, 1280, 1000 };
    GeometryPoint corner = SetupWindowPlacement::topLeft(std::nullopt, { 3190, 10 }, 600, 400, screen);
    EXPECT_DOUBLE_EQ(corner.x, 3200 - 600);
    EXPECT_DOUBLE_EQ(corner.y, 34);
    GeometryPoint bottom = SetupWindowPlacement::topLeft(GeometryRect { 2500, 1000, 24, 24 }, {}, 600, 400, screen);
    EXPECT_DOUBLE_EQ(bottom.y, 600);
    GeometryPoint bottomClick = SetupWindowPlacement::topLeft(std::nullopt, { 2500, 990 }, 600, 400, screen);
    EXPECT_DOUBLE_EQ(bottomClick.x, 2200);
    EXPECT_DOUBLE_EQ(bottomClick.y, 966 - 400);
    // A window too tall for either side of a side panel's icon opens beside it.
    GeometryRect lowScreen { 0, 0, 1280, 800 };
    GeometryPoint left = SetupWindowPlacement::topLeft(std::nullopt, { 15, 400 }, 600, 780, lowScreen);
    EXPECT_DOUBLE_EQ(left.x, 39);
    EXPECT_DOUBLE_EQ(left.y, 10);
    GeometryPoint right = SetupWindowPlacement::topLeft(std::nullopt, { 1265, 400 }, 600, 780, lowScreen);
    EXPECT_DOUBLE_EQ(right.x, 1241 - 600);
    EXPECT_DOUBLE_EQ(right.y, 10);
    // A screen smaller than the window keeps its top left corner reachable.
    GeometryPoint tiny = SetupWindowPlacement::topLeft(std::nullopt, { 50, 50 }, 600, 400, { 0, 0, 320, 240 });
    EXPECT_DOUBLE_EQ(tiny.x, 0);
    EXPECT_DOUBLE_EQ(tiny.y, 0);
}

TEST(SetupWindowPlacementTest, aClickAnywhereAlongAnEdgeLeavesTheIconUncovered)
{
    const GeometryRect screen { 0, 0, 1024, 768 };
    const double side = SetupWindowPlacement::assumedIconSide;
    std::vector<GeometryPoint> clicks;
    for (double along = 0; along <= 1024; along += 16) {
        clicks.push_back({ along, 10 });
        clicks.push_back({ along, 758 });
        clicks.push_back({ 10, along * 768 / 1024 });
        clicks.push_back({ 1014, along * 768 / 1024 });
    }
    for (GeometryPoint click : clicks) {
        GeometryPoint window = SetupWindowPlacement::topLeft(std::nullopt, click, 600, 700, screen);
        SCOPED_TRACE(::testing::Message() << "click at " << click.x << "," << click.y);
        EXPECT_GE(window.x, 0);
        EXPECT_GE(window.y, 0);
        EXPECT_LE(window.x + 600, 1024);
        EXPECT_LE(window.y + 700, 768);
        bool apart = window.x >= click.x + side / 2 || window.x + 600 <= click.x - side / 2
            || window.y >= click.y + side / 2 || window.y + 700 <= click.y - side / 2;
        EXPECT_TRUE(apart) << "the window lands at " << window.x << "," << window.y;
    }
}

class SetupWindowFadeTest : public ::testing::Test {
protected:
    ManualClock clock;
    std::vector<std::string> events;
    SetupWindowFade fade { clock, clock,
                           { [this](double alpha) { lastAlpha = alpha; }, [this] { events.push_back("opened"); },
                             [this] { events.push_back("hidden"); } } };
    double lastAlpha = -1;
};

TEST_F(SetupWindowFadeTest, opensOver160MillisecondsThenTakesTheKeyboard)
{
    fade.open();
    EXPECT_TRUE(fade.isVisible());
    clock.advanceBy(std::chrono::milliseconds(80));
    EXPECT_GT(lastAlpha, 0.3);
    EXPECT_LT(lastAlpha, 0.7);
    EXPECT_TRUE(events.empty());
    clock.advanceBy(std::chrono::milliseconds(100));
    EXPECT_EQ(fade.state(), SetupWindowFade::State::Shown);
    EXPECT_EQ(lastAlpha, 1);
    EXPECT_EQ(events, std::vector<std::string> { "opened" });
    EXPECT_EQ(clock.pendingTimerCount(), 0u);
}

TEST_F(SetupWindowFadeTest, aCloseDuringTheFadeInFadesOutFromWhereItWasAndHides)
{
    fade.open();
    clock.advanceBy(std::chrono::milliseconds(96));
    double reached = lastAlpha;
    fade.close();
    clock.advanceBy(std::chrono::milliseconds(16));
    EXPECT_LT(lastAlpha, reached);
    clock.advanceBy(std::chrono::milliseconds(200));
    EXPECT_EQ(events, std::vector<std::string> { "hidden" });
    EXPECT_FALSE(fade.isVisible());
    EXPECT_EQ(clock.pendingTimerCount(), 0u);
}
