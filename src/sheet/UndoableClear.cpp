#include "sheet/UndoableClear.h"

#include "core/GestureRecognitionModel.h"

namespace scriblo {

UndoableClear::UndoableClear(GestureRecognitionModel& model, WorkQueue& writes)
    : m_model(model)
    , m_writes(writes)
{
}

void UndoableClear::clear(Cleared cleared, Outcome done)
{
    write([&model = m_model, identity = cleared.gesture->identity()] { return model.deleteGestureWithName(identity); },
          [this, cleared, done = std::move(done)](const Expected<Done>& deleted) {
              if (deleted)
                  m_lastCleared = cleared;
              done(cleared, deleted);
          });
}

void UndoableClear::undo(Outcome done)
{
    if (!canUndo())
        return;
    Cleared cleared = std::move(*m_lastCleared);
    m_lastCleared.reset();
    write(
        [&model = m_model, gesture = cleared.gesture]() -> Expected<Done> {
            // The very drawings, all of them, under the very identity, even one an earlier
            // build used.
            return model.restoreGesture(*gesture);
        },
        [cleared, done = std::move(done)](const Expected<Done>& saved) { done(cleared, saved); });
}

void UndoableClear::write(std::function<Expected<Done>()> change, std::function<void(const Expected<Done>&)> done)
{
    m_writing = true;
    m_writes.queueWithOutcome(std::move(change), [this, done = std::move(done)](const Expected<Done>& outcome) {
        m_writing = false;
        done(outcome);
    });
}

}
