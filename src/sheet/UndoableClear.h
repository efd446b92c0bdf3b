#pragma once

#include "base/Expected.h"
#include "base/WorkQueue.h"
#include "core/Gesture.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace scriblo {

class GestureRecognitionModel;

// Clear with one step of Undo, for every window that clears gestures: the gesture
// cleared last is kept as it was drawn, every drawing and the identity, and stored again on
// request. Its owner forgets it at the next change to the store, after which storing it
// again could undo that change too. Both writes go on the store's work queue, in order
// with every other write; what follows each runs back on the owner's thread.
class UndoableClear {
public:
    struct Cleared {
        std::shared_ptr<const Gesture> gesture;
        // What the user calls the gesture's target, for what the window says.
        std::string name;
    };
    using Outcome = std::function<void(const Cleared&, const Expected<Done>&)>;

    UndoableClear(GestureRecognitionModel& model, WorkQueue& writes);

    // Deletes the gesture from the store; once that is written it is the one Undo brings
    // back.
    void clear(Cleared cleared, Outcome done);
    // Stores the gesture cleared last again; does nothing while there is none to bring
    // back or a write is under way.
    void undo(Outcome done);
    void forget() { m_lastCleared.reset(); }
    bool canUndo() const { return m_lastCleared && !m_writing; }
    bool writing() const { return m_writing; }
    const std::optional<Cleared>& lastCleared() const { return m_lastCleared; }

private:
    void write(std::function<Expected<Done>()> change, std::function<void(const Expected<Done>&)> done);

    GestureRecognitionModel& m_model;
    WorkQueue& m_writes;
    bool m_writing = false;
    std::optional<Cleared> m_lastCleared;
};

}
