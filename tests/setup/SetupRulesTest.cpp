#include "base/ManualClock.h"
#include "setup/SettingsInput.h"
#include "setup/SetupButtonRules.h"
#include "setup/SetupWindowFade.h"
#include "setup/SetupWindowPlacement.h"

#include <gtest/gtest.h>

using namespace scriblo;
using Selection = SetupButtonRules::Selection;

TEST(SetupButtonRulesTest, refreshFollowsTheSelectedTargetAndLeavesButtonsAloneWithoutOne)
{
    SetupButtons off = SetupButtonRules::allOff();
    EXPECT_EQ(SetupButtonRules::afterRefresh(off, Selection::TargetWithGesture), (SetupButtons { true, true, true }));
    EXPECT_EQ(SetupButtonRules::afterRefresh(off, Selection::TargetWithoutGesture), (SetupButtons { true, false, false }));
    // An assignment turned everything off; a refresh with no row must not undo that.
    EXPECT_EQ(SetupButtonRules::afterRefresh(off, Selection::None), off);
    SetupButtons on { true, true, true };
    EXPECT_EQ(SetupButtonRules::afterRefresh(on, Selection::None), on);
}

TEST(SettingsInputTest, readsTheLeadingWholeNumberLikeTheFieldDoes)
{
    EXPECT_EQ(SettingsInput::leadingWholeNumber("85"), 85);
    EXPECT_EQ(SettingsInput::leadingWholeNumber("  85%"), 85);
    EXPECT_EQ(SettingsInput::leadingWholeNumber("-3"), -3);
    EXPECT_EQ(SettingsInput::leadingWholeNumber("abc"), 0);
    EXPECT_EQ(SettingsInput::leadingWholeNumber(""), 0);
    // Wrapping round would turn a huge number into one inside the range.
    EXPECT_EQ(SettingsInput::leadingWholeNumber("4294967381"), INT32_MAX);
    EXPECT_EQ(SettingsInput::leadingWholeNumber("-99999999999"), INT32_MIN);
}

TEST(SettingsInputTest, acceptsScoresFrom70To100AndDelaysFrom1To1000)
{
    EXPECT_FALSE(SettingsInput::acceptedMinimumRecognitionScore("69"));
    EXPECT_EQ(SettingsInput::acceptedMinimumRecognitionScore("70"), 70);
    EXPECT_EQ(SettingsInput::acceptedMinimumRecognitionScore("100"), 100);
    EXPECT_FALSE(SettingsInput::acceptedMinimumRecognitionScore("101"));
    EXPECT_FALSE(SettingsInput::acceptedMinimumRecognitionScore("score 80"));
    EXPECT_FALSE(SettingsInput::acceptedReadingDelayTime("0"));
    EXPECT_EQ(SettingsInput::acceptedReadingDelayTime("1"), 1);
    EXPECT_EQ(SettingsInput::acceptedReadingDelayTime("1000"), 1000);
    EXPECT_FALSE(SettingsInput::acceptedReadingDelayTime("1001"));
    EXPECT_FALSE(SettingsInput::acceptedReadingDelayTime("fast"));
}

TEST(SetupWindowPlacementTest, hangsCentredBelowTheTrayIconOrThePointer)
{
    GeometryRect screen { 0, 30, 1920, 1050 };
    GeometryPoint below = SetupWindowPlacement::topLeft(GeometryRect { 1000, 0, 24, 30 }, { 5, 5 }, 600, 400, screen);
    EXPECT_DOUBLE_EQ(below.x, 1012 - 300);
    EXPECT_DOUBLE_EQ(below.y, 30);
    // No geometry from the tray: the pointer at the click is the anchor.
    GeometryPoint atPointer = SetupWindowPlacement::topLeft(std::nullopt, { 800, 40 }, 600, 400, screen);
    EXPECT_DOUBLE_EQ(atPointer.x, 500);
    EXPECT_DOUBLE_EQ(atPointer.y, 40);
}

TEST(SetupWindowPlacementTest, staysInsideTheScreenAndStandsAboveABottomPanel)
{
    GeometryRect screen { 1920, 0, 1280, 1000 };
    GeometryPoint corner = SetupWindowPlacement::topLeft(std::nullopt, { 3190, 10 }, 600, 400, screen);
    EXPECT_DOUBLE_EQ(corner.x, 3200 - 600);
    GeometryPoint bottom = SetupWindowPlacement::topLeft(GeometryRect { 2500, 1000, 24, 24 }, {}, 600, 400, screen);
    EXPECT_DOUBLE_EQ(bottom.y, 600);
    // A screen smaller than the window keeps its top left corner reachable.
    GeometryPoint tiny = SetupWindowPlacement::topLeft(std::nullopt, { 50, 50 }, 600, 400, { 0, 0, 320, 240 });
    EXPECT_DOUBLE_EQ(tiny.x, 0);
    EXPECT_DOUBLE_EQ(tiny.y, 0);
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
