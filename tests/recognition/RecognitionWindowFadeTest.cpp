#include "recognition/RecognitionWindowFade.h"

#include "base/ManualClock.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace std::chrono_literals;

namespace {

class RecognitionWindowFadeTest : public testing::Test {
protected:
    ManualClock clock;
    std::vector<double> alphas;
    int hides = 0;
    RecognitionWindowFade fade { clock, clock,
                                 { [this](double alpha) { alphas.push_back(alpha); }, [this] { ++hides; } } };
};

}

TEST_F(RecognitionWindowFadeTest, aResultStaysFullyVisibleThenFadesOverAFifthOfASecondAndAnOfferedMissStaysFourSeconds)
{
    fade.show();
    fade.putAway(PutAway::AfterResult);
    clock.advanceBy(280ms);
    EXPECT_EQ(fade.alpha(), 1);
    clock.advanceBy(100ms);
    EXPECT_GT(fade.alpha(), 0.3);
    EXPECT_LT(fade.alpha(), 0.7);
    EXPECT_TRUE(fade.isVisible());
    EXPECT_EQ(hides, 0);
    clock.advanceBy(116ms);
    EXPECT_EQ(hides, 1);
    EXPECT_FALSE(fade.isVisible());
    EXPECT_TRUE(std::is_sorted(alphas.rbegin(), alphas.rend()));

    // A miss that offers to add the drawing stays long enough to move the pointer to the
    // offer's button and press it.
    fade.show();
    fade.putAway(PutAway::AfterOfferedMiss);
    clock.advanceBy(3999ms);
    EXPECT_EQ(fade.alpha(), 1);
    clock.advanceBy(1ms + 216ms);
    EXPECT_EQ(hides, 2);
}

TEST_F(RecognitionWindowFadeTest, withoutFadesTheResultStaysThenTheWindowHides)
{
    fade.setFadesAvailable(false);
    fade.show();
    fade.putAway(PutAway::AfterResult);
    clock.advanceBy(279ms);
    EXPECT_EQ(hides, 0);
    clock.advanceBy(1ms);
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(alphas, (std::vector<double> { 1, 0 }));
}

TEST_F(RecognitionWindowFadeTest, showingAgainCancelsAPendingFade)
{
    fade.show();
    fade.putAway(PutAway::AfterResult);
    clock.advanceBy(300ms);
    fade.show();
    clock.advanceBy(1s);
    EXPECT_EQ(fade.alpha(), 1);
    EXPECT_EQ(hides, 0);
    EXPECT_EQ(clock.pendingTimerCount(), 0u);
    fade.putAway(PutAway::AtOnce);
    EXPECT_EQ(hides, 1);
}
