#pragma once

#include "base/Expected.h"
#include "base/WorkQueue.h"
#include "core/Gesture.h"
#include "setup/GestureAssignment.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace scriblo {

class GestureRecognitionModel;

// Adds a drawing to a gesture with one step of Undo: the gesture as it was before, every
// drawing of it, is stored again on request. Its owner forgets it at the next change to
// the store, after which storing it again could undo that change too. The writes go on
// the store's work queue, in order with every other; what follows each runs back on the
// owner's thread.
class UndoableAddition {
public:
    struct Added {
        std::string identity;
        // What the user calls the gesture's target, for what the window says.
        std::string name;
    };
    using AddOutcome = std::function<void(const Added&, const std::optional<GestureRefusal>&)>;
    using UndoOutcome = std::function<void(const Added&, const Expected<Done>&)>;

    UndoableAddition(GestureRecognitionModel& model, WorkQueue& writes);

    void add(std::vector<GestureStroke> strokes, Added added, AddOutcome done);
    // Stores the gesture as it was before the last addition; does nothing while there is
    // none to take back or a write is under way.
    void undo(UndoOutcome done);
    void forget() { m_last.reset(); }
    bool canUndo() const { return m_last && !m_writing; }
    bool writing() const { return m_writing; }
    std::optional<Added> lastAdded() const { return m_last ? std::optional(m_last->added) : std::nullopt; }

private:
    struct Addition {
        Added added;
        std::shared_ptr<const Gesture> before;
    };

    GestureRecognitionModel& m_model;
    WorkQueue& m_writes;
    bool m_writing = false;
    std::optional<Addition> m_last;
};

}
