#pragma once

#include "core/GestureResult.h"

#include <functional>
#include <optional>
#include <string>

namespace scriblo {

enum class MatchOutcome {
    // No result, or one below the minimum score: nothing to show or launch.
    NoMatch,
    // Launch the target (final check) or show it (partial check).
    TargetFound,
    // The lookup missed but the target may only be out of reach for now (a bookmarks file
    // being rewritten, a locked database, an unmounted disk): keep the gesture.
    TargetMissing,
    // A fresh rebuild of the target's list succeeded without it: delete the gesture.
    TargetGone,
};

template <class Target>
struct MatchDecision {
    MatchOutcome outcome = MatchOutcome::NoMatch;
    std::string identity;
    int32_t score = 0;
    std::optional<Target> target;
};

// What a recognition's best match leads to, for the final and the partial check alike.
// The lookup and the "is it really gone" question come from the catalogue; the second
// is asked only after a lookup missed, since it rebuilds a list.
template <class Target>
class MatchDecider {
public:
    using Lookup = std::function<std::optional<Target>(const std::string& identity)>;
    using GoneCheck = std::function<bool(const std::string& identity)>;

    MatchDecider(Lookup lookup, GoneCheck reallyGone)
        : m_lookup(std::move(lookup))
        , m_reallyGone(std::move(reallyGone))
    {
    }

    MatchDecision<Target> decide(const std::optional<GestureResult>& result, int32_t minimumRecognitionScore) const
    {
        MatchDecision<Target> decision;
        if (!result || result->score() < minimumRecognitionScore)
            return decision;
        decision.identity = result->gestureIdentity();
        decision.score = result->score();
        decision.target = m_lookup(decision.identity);
        if (decision.target)
            decision.outcome = MatchOutcome::TargetFound;
        else
            decision.outcome = m_reallyGone(decision.identity) ? MatchOutcome::TargetGone : MatchOutcome::TargetMissing;
        return decision;
    }

private:
    Lookup m_lookup;
    GoneCheck m_reallyGone;
};

}
