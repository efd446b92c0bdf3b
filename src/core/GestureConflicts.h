#pragma once

#include "core/GestureRecognizer.h"
#include "core/PairScorer.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace scriblo {

// A new drawing that the matcher would confuse with another target's stored gesture.
struct GestureConflict {
    enum class Direction {
        // The new drawing recognises as the stored gesture.
        Resembles,
        // One of the stored gesture's own drawings would recognise as the new one.
        Captures,
    };

    std::string identity;
    int32_t score;
    Direction direction;
};

// Two stored gestures of which at least one recognises as the other; each score is the
// best that one's drawings score against the other's templates, nothing when the matcher finds no
// match (a different stroke count, another start direction). The identities are the stored
// gestures' own, valid while the list is: a full store lists some 200,000 pairs, and
// copying two identities of up to 8 KiB for each took a sixteenth of the comparison's time.
struct GesturePairConflict {
    const std::string& first;
    const std::string& second;
    std::optional<int32_t> firstAsSecond;
    std::optional<int32_t> secondAsFirst;
};

// Finds, with the exact matcher, which stored gestures a drawing would be mistaken for
// and which it would take over, at or above the score the recognition window accepts.
class GestureConflicts {
public:
    // `strokes` would be stored under `identity`, replacing the target's gesture there and
    // under `earlierIdentity`, so a redraw conflicts with neither. Of several conflicts
    // the highest score is named; at equal scores, a resemblance.
    static std::optional<GestureConflict> find(const std::vector<GestureStroke>& strokes, const std::string& identity,
                                               const std::optional<std::string>& earlierIdentity,
                                               const GestureRecognizer::GestureList& stored, int32_t minimumScore);
    // The same for a gesture of several drawings: the highest resemblance of any of its
    // drawings, or a capture by all its drawings together.
    static std::optional<GestureConflict> find(const Gesture& gesture, const std::optional<std::string>& earlierIdentity,
                                               const GestureRecognizer::GestureList& stored, int32_t minimumScore);
    // What `find` says of each of the `drawn` gestures of `stored`, each as if it had been
    // stored last, with `scorer` made of `stored` at `minimumScore`: an import preview
    // checks every gesture of a file against the store it leaves, whose drawings are
    // prepared once for all the checks.
    static std::vector<std::optional<GestureConflict>> conflictsOf(const PairScorer& scorer, const GestureRecognizer::GestureList& stored,
                                                                   std::span<const size_t> drawn, int32_t minimumScore);

    // Every pair in the store that recognises as each other, in store order, each once,
    // handed over as it is found: a store of look-alikes has half a million pairs.
    // `progress` hears how many of the stored drawings have been compared with the rest.
    static void pairs(const GestureRecognizer::GestureList& stored, int32_t minimumScore,
                      const std::function<void(const GesturePairConflict&)>& found,
                      const std::function<void(size_t done, size_t total)>& progress = nullptr);

private:
    static std::optional<GestureConflict> resemblance(const PairScorer& scorer, const GestureRecognizer::GestureList& stored,
                                                      size_t drawn, int32_t minimumScore);
    static std::optional<GestureConflict> capture(const PairScorer& scorer, const GestureRecognizer::GestureList& stored, size_t drawn,
                                                  const std::vector<PairScorer::DrawingDistances>& distances, size_t column,
                                                  int32_t lowestScore);
};

}
