#pragma once

#include "core/GestureConflicts.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

// What an import will do with each gesture of a file, decided before anything is
// written, so the user can see it and say yes once.
class GestureImportPlan {
public:
    enum class Action {
        // No stored gesture has the identity.
        Add,
        // A stored gesture has the identity and other drawings, which it replaces.
        Replace,
        // Nothing would change, or the gesture cannot be stored: `skip` says which.
        Skip,
    };

    enum class SkipReason {
        None,
        // The store would refuse it; `refusal` says why.
        CannotBeStored,
        AlreadyStored,
        // A later gesture of the file has its identity.
        SupersededLater,
    };

    struct Step {
        Gesture gesture;
        Action action;
        SkipReason skip = SkipReason::None;
        std::string refusal;
        // A gesture to be stored that the matcher would confuse with another target's,
        // in the store as it will be after the import.
        std::optional<GestureConflict> conflict;
    };

    // `gestures` in the order of the file; of several with one identity the last is the
    // one stored, as an import that wrote them in turn would leave it. Quick: the
    // look-alikes are found apart.
    static GestureImportPlan of(std::vector<Gesture> gestures, const GestureRecognizer::GestureList& stored);

    // Checks each step to be stored for a look-alike and hands over the results a few
    // steps at a time, in the steps' order, as they come: a large file against a full
    // store of look-alikes takes a second or two. Stops early once `stopped` says so.
    using ConflictFound = std::function<void(size_t step, const std::optional<GestureConflict>& conflict)>;
    void findConflicts(const GestureRecognizer::GestureList& stored, int32_t minimumScore, const ConflictFound& found,
                       const std::function<bool()>& stopped = [] { return false; }) const;
    void setConflict(size_t step, std::optional<GestureConflict> conflict) { m_steps.at(step).conflict = std::move(conflict); }

    const std::vector<Step>& steps() const { return m_steps; }
    size_t count(Action action) const;
    // The gestures to write, in one save.
    std::vector<Gesture> gesturesToStore() const;

private:
    static Step decide(Gesture gesture, const GestureRecognizer::GestureList& stored, bool supersededLater);
    GestureRecognizer::GestureList storeAfter(const GestureRecognizer::GestureList& stored) const;

    std::vector<Step> m_steps;
};

}
