#pragma once

#include "core/GestureConflicts.h"

#include <cstdint>
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
        // A stored gesture has the identity and another drawing.
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
    // one stored, as an import that wrote them in turn would leave it.
    static GestureImportPlan of(std::vector<Gesture> gestures, const GestureRecognizer::GestureList& stored,
                                int32_t minimumScore);

    const std::vector<Step>& steps() const { return m_steps; }
    size_t count(Action action) const;
    // The gestures to write, in one save.
    std::vector<Gesture> gesturesToStore() const;

private:
    static Step decide(Gesture gesture, const GestureRecognizer::GestureList& stored, bool supersededLater);
    void findConflicts(const GestureRecognizer::GestureList& stored, int32_t minimumScore);

    std::vector<Step> m_steps;
};

}
