#include "base/ManualClock.h"
#include "setup/SetupButtonRules.h"
#include "setup/SetupWindowFade.h"
#include "setup/SetupWindowPlacement.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace scriblo;
using Selection = SetupButtonRules::Selection;

// Which buttons each selected target turns on, the setup window's tests see through the
// window.
TEST(SetupButtonRulesTest, aRefreshWithoutASelectedTargetLeavesTheButtonsAlone)
{
    SetupButtons off = SetupButtonRules::allOff();
    // An assignment turned everything off; a refresh with no row must not undo that.
    EXPECT_EQ(SetupButtonRules::afterRefresh(off, Selection::None), off);
    SetupButtons on { true, true, true, true };
    EXPECT_EQ(SetupButtonRules::afterRefresh(on, Selection::None), on);
}

// Where a 600 by 400 window (780 high where said) opens for an icon the tray placed, or
// a click without the icon's geometry, on screens with and without panels.
TEST(SetupWindowPlacementTest, hangsBelowTheIconOrStandsClearOfTheClickOnWhicheverSideTheScreenAllowsAnywhereAlongAnEdge)
{
    struct Placement {
        const char* what;
        std::optional<GeometryRect> icon;
        GeometryPoint click;
        double height;
        GeometryRect screen;
        GeometryPoint expected;
    };
    const GeometryRect wide { 0, 30, 1920, 1050 };
    const GeometryRect second { 1920, 0, 1280, 1000 };
    const GeometryRect low { 0, 0, 1280, 800 };
    const Placement placements[] = {
        { "centred below the tray's icon", GeometryRect { 1000, 0, 24, 30 }, { 5, 5 }, 400, wide, { 712, 30 } },
        // No geometry from the tray: the icon is taken as the 48-point square around the click.
        { "clear of the clicked point", std::nullopt, { 800, 40 }, 400, wide, { 500, 64 } },
        // Without a window manager's work area the top panel is inside the available area,
        // and the window must still start below the icon, not at the pointer.
        { "below the icon without a work area", std::nullopt, { 1000, 12 }, 400, { 0, 0, 1024, 768 }, { 424, 36 } },
        { "in a top corner", std::nullopt, { 3190, 10 }, 400, second, { 2600, 34 } },
        { "above a bottom panel's icon", GeometryRect { 2500, 1000, 24, 24 }, {}, 400, second, { 2212, 600 } },
        { "above a bottom click", std::nullopt, { 2500, 990 }, 400, second, { 2200, 566 } },
        // A window too tall for either side of a side panel's icon opens beside it.
        { "right of a left panel", std::nullopt, { 15, 400 }, 780, low, { 39, 10 } },
        { "left of a right panel", std::nullopt, { 1265, 400 }, 780, low, { 641, 10 } },
        // A screen smaller than the window keeps its top left corner reachable.
        { "on a tiny screen", std::nullopt, { 50, 50 }, 400, { 0, 0, 320, 240 }, { 0, 0 } },
    };
    for (const Placement& placement : placements) {
        GeometryPoint topLeft
            = SetupWindowPlacement::topLeft(placement.icon, placement.click, 600, placement.height, placement.screen);
        EXPECT_DOUBLE_EQ(topLeft.x, placement.expected.x) << placement.what;
        EXPECT_DOUBLE_EQ(topLeft.y, placement.expected.y) << placement.what;
    }

    // A click anywhere along an edge leaves the icon uncovered.
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
