#pragma once

#include "core/GestureResult.h"
#include "base/TargetAbsence.h"

#include <functional>
#include <optional>
#include <string>

namespace scriblo {

enum class MatchOutcome {
    // No result: nothing to show or launch.
    NoMatch,
    // A best match scored below the minimum: nothing launches; the target, when it is
    // found, tells the user what the drawing came closest to.
    BelowMinimum,
    // Launch the target (final check) or show it (partial check).
    TargetFound,
    // The lookup missed but the target may only be out of reach for now (a bookmarks file
    // being rewritten, a locked database, an unmounted disk), or it belongs to no list
    // this system builds: keep the gesture.
    TargetMissing,
    // The target is there but cannot be launched (a script without its execute bit):
    // keep the gesture and tell the user why nothing starts.
    TargetCannotRun,
    // A fresh rebuild of the target's list succeeded without it: delete the gesture.
    TargetGone,
};

// A partial check judges the first strokes of a drawing still under way: the best match
// of a square's first two sides is another gesture, which the user never drew.
enum class CheckKind { Final, Partial };

template <class Target>
struct MatchDecision {
    MatchOutcome outcome = MatchOutcome::NoMatch;
    std::string identity;
    int32_t score = 0;
    std::optional<Target> target;
};

// What a recognition's best match leads to, for the final and the partial check alike.
// The lookup and the "what became of it" question come from the catalogue; the second
// is asked only after a final check's lookup missed, since it rebuilds a list, and only
// a final check may lead to a deletion.
template <class Target>
class MatchDecider {
public:
    using Lookup = std::function<std::optional<Target>(const std::string& identity)>;
    using AbsenceCheck = std::function<TargetAbsence(const std::string& identity)>;

    MatchDecider(Lookup lookup, AbsenceCheck absence)
        : m_lookup(std::move(lookup))
        , m_absence(std::move(absence))
    {
    }

    MatchDecision<Target> decide(const std::optional<GestureResult>& result, int32_t minimumRecognitionScore,
                                 CheckKind kind) const
    {
        MatchDecision<Target> decision;
        if (!result)
            return decision;
        decision.identity = result->gestureIdentity();
        decision.score = result->score();
        decision.target = m_lookup(decision.identity);
        if (decision.score < minimumRecognitionScore)
            decision.outcome = MatchOutcome::BelowMinimum;
        else if (decision.target)
            decision.outcome = MatchOutcome::TargetFound;
        else
            decision.outcome = kind == CheckKind::Final ? missedOutcome(decision.identity) : MatchOutcome::TargetMissing;
        return decision;
    }

private:
    MatchOutcome missedOutcome(const std::string& identity) const
    {
        switch (m_absence(identity)) {
        case TargetAbsence::Gone:
            return MatchOutcome::TargetGone;
        case TargetAbsence::OutOfReach:
        case TargetAbsence::NoBrowser:
            return MatchOutcome::TargetMissing;
        case TargetAbsence::CannotRun:
            return MatchOutcome::TargetCannotRun;
        }
        return MatchOutcome::TargetMissing;
    }

    Lookup m_lookup;
    AbsenceCheck m_absence;
};

}
