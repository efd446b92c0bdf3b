#include "recognition/MatchDecider.h"

#include <gtest/gtest.h>

#include <set>

using namespace scriblo;

namespace {

std::optional<GestureResult> result(int32_t score, std::string identity = "org.gnome.Nautilus.desktop")
{
    GestureResult found;
    found.setScore(score);
    found.setGestureIdentity(std::move(identity));
    return found;
}

// A catalogue whose lookup sees `reachable` and whose fresh rebuild sees `listed`, or
// fails when `rebuildFails`.
struct FakeCatalogue {
    std::set<std::string> reachable;
    std::set<std::string> listed;
    bool rebuildFails = false;
    int rebuilds = 0;

    MatchDecider<std::string> decider()
    {
        return { [this](const std::string& identity) -> std::optional<std::string> {
                    if (reachable.contains(identity))
                        return "target " + identity;
                    return std::nullopt;
                },
                 [this](const std::string& identity) {
                     ++rebuilds;
                     return !rebuildFails && !listed.contains(identity);
                 } };
    }
};

}

TEST(MatchDeciderTest, onlyAScoreAtTheMinimumOrAboveCounts)
{
    FakeCatalogue catalogue { { "org.gnome.Nautilus.desktop" }, {} };
    auto decider = catalogue.decider();
    EXPECT_EQ(decider.decide(std::nullopt, 0).outcome, MatchOutcome::NoMatch);
    EXPECT_EQ(decider.decide(result(79), 80).outcome, MatchOutcome::NoMatch);
    MatchDecision<std::string> found = decider.decide(result(80), 80);
    EXPECT_EQ(found.outcome, MatchOutcome::TargetFound);
    EXPECT_EQ(found.target, "target org.gnome.Nautilus.desktop");
    EXPECT_EQ(found.score, 80);
    // The minimum is signed: a negative minimum accepts every result.
    EXPECT_EQ(decider.decide(result(1), -5).outcome, MatchOutcome::TargetFound);
    EXPECT_EQ(catalogue.rebuilds, 0);
}

// A missed lookup can mean a file being rewritten or a disk not mounted; the gesture
// goes only when a successful rebuild still lacks its target.
TEST(MatchDeciderTest, aMissingTargetDeletesItsGestureOnlyWhenReallyGone)
{
    FakeCatalogue gone { {}, {} };
    EXPECT_EQ(gone.decider().decide(result(90), 50).outcome, MatchOutcome::TargetGone);
    FakeCatalogue stillListed { {}, { "org.gnome.Nautilus.desktop" } };
    EXPECT_EQ(stillListed.decider().decide(result(90), 50).outcome, MatchOutcome::TargetMissing);
    FakeCatalogue unreadable { {}, {}, true };
    MatchDecision<std::string> kept = unreadable.decider().decide(result(90), 50);
    EXPECT_EQ(kept.outcome, MatchOutcome::TargetMissing);
    EXPECT_EQ(kept.identity, "org.gnome.Nautilus.desktop");
    EXPECT_FALSE(kept.target);
}
