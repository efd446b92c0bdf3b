#include "recognition/MatchDecider.h"

#include <gtest/gtest.h>

#include <map>
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

// A catalogue whose lookup sees `reachable` and whose fresh look at the disk says
// `absence` of every identity it misses.
struct FakeCatalogue {
    std::set<std::string> reachable;
    TargetAbsence absence = TargetAbsence::Gone;
    int rebuilds = 0;

    MatchDecider<std::string> decider()
    {
        return { [this](const std::string& identity) -> std::optional<std::string> {
                    if (reachable.contains(identity))
                        return "target " + identity;
                    return std::nullopt;
                },
                 [this](const std::string&) {
                     ++rebuilds;
                     return absence;
                 } };
    }
};

}

TEST(MatchDeciderTest, onlyAScoreAtTheMinimumOrAboveCounts)
{
    FakeCatalogue catalogue { { "org.gnome.Nautilus.desktop" } };
    auto decider = catalogue.decider();
    EXPECT_EQ(decider.decide(std::nullopt, 0, CheckKind::Final).outcome, MatchOutcome::NoMatch);
    MatchDecision<std::string> below = decider.decide(result(79), 80, CheckKind::Final);
    EXPECT_EQ(below.outcome, MatchOutcome::BelowMinimum);
    EXPECT_EQ(below.target, "target org.gnome.Nautilus.desktop") << "a miss can say what it came closest to";
    EXPECT_EQ(below.score, 79);
    MatchDecision<std::string> found = decider.decide(result(80), 80, CheckKind::Final);
    EXPECT_EQ(found.outcome, MatchOutcome::TargetFound);
    EXPECT_EQ(found.target, "target org.gnome.Nautilus.desktop");
    EXPECT_EQ(found.score, 80);
    // The minimum is signed: a negative minimum accepts every result.
    EXPECT_EQ(decider.decide(result(1), -5, CheckKind::Partial).outcome, MatchOutcome::TargetFound);
    EXPECT_EQ(catalogue.rebuilds, 0);
}

// A missed lookup can mean a file being rewritten, a disk not mounted or a script that
// lost its execute bit; the gesture goes only when a successful rebuild lacks its target.
// The best match of a square's first two sides is the gesture of an L, which the user
// never drew: a partial check must neither delete it nor pay for a rebuild.
TEST(MatchDeciderTest, aFinalCheckDeletesAMissingTargetsGestureOnlyWhenReallyGoneAndAPartialCheckNever)
{
    const std::map<TargetAbsence, MatchOutcome> outcomes {
        { TargetAbsence::Gone, MatchOutcome::TargetGone },
        { TargetAbsence::OutOfReach, MatchOutcome::TargetMissing },
        { TargetAbsence::CannotRun, MatchOutcome::TargetCannotRun },
    };
    for (const auto& [absence, outcome] : outcomes) {
        FakeCatalogue catalogue { {}, absence };
        EXPECT_EQ(catalogue.decider().decide(result(90), 50, CheckKind::Partial).outcome, MatchOutcome::TargetMissing);
        EXPECT_EQ(catalogue.rebuilds, 0);
        MatchDecision<std::string> decision = catalogue.decider().decide(result(90), 50, CheckKind::Final);
        EXPECT_EQ(decision.outcome, outcome);
        EXPECT_EQ(decision.identity, "org.gnome.Nautilus.desktop");
        EXPECT_FALSE(decision.target);
    }
}
