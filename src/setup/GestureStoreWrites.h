#pragma once

#include "base/WorkQueue.h"
#include "setup/GestureAssignment.h"
#include "sheet/UndoableClear.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class GestureRecognitionModel;

// Assign, Add Drawing, Remove Drawing, Clear and its Undo of the setup window, written on
// the store's work queue: a
// full store takes a second or two to write, and the window must answer meanwhile. What
// follows a write runs back on the window's thread.
class GestureStoreWrites {
public:
    GestureStoreWrites(GestureRecognitionModel& model, WorkQueue& queue);

    void assign(std::vector<GestureStroke> strokes, std::string identity, std::optional<std::string> earlierIdentity,
                std::function<void(const std::optional<GestureRefusal>&)> done);
    void addDrawing(std::vector<GestureStroke> strokes, std::string identity,
                    std::function<void(const std::optional<GestureRefusal>&)> done);
    void removeDrawing(std::string identity, int32_t index, std::function<void(const Expected<Done, GestureRefusal>&)> done);
    void clear(UndoableClear::Cleared cleared, std::function<void()> done);
    void undoClear(std::function<void()> done);
    // The store changed otherwise, so the gesture cleared last stays cleared.
    void forgetClear() { m_clears.forget(); }
    bool canUndoClear() const { return m_clears.canUndo() && !busy(); }
    // What the gesture cleared last was for, while it can be brought back.
    std::optional<std::string> clearedName() const;
    // Whether a write is queued or running; what it changes is not settled until then.
    bool busy() const { return m_pending > 0 || m_clears.writing(); }

private:
    // Counts the write as pending until `done` runs with its outcome.
    template <class Work, class Outcome>
    void write(Work work, std::function<void(const Outcome&)> done);

    GestureRecognitionModel& m_model;
    WorkQueue& m_queue;
    UndoableClear m_clears;
    int m_pending = 0;
};

}
