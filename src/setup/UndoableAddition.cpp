#include "setup/UndoableAddition.h"

#include "core/GestureRecognitionModel.h"

namespace scriblo {

UndoableAddition::UndoableAddition(GestureRecognitionModel& model, WorkQueue& writes)
    : m_model(model)
    , m_writes(writes)
{
}

void UndoableAddition::add(std::vector<GestureStroke> strokes, Added added, AddOutcome done)
{
    // Read here, before the write is queued: what Undo brings back is the gesture the user saw.
    auto before = m_model.getGestureWithIdentity(added.identity);
    std::string identity = added.identity;
    m_writing = true;
    m_writes.queueWithOutcome(
        [&model = m_model, strokes = std::move(strokes), identity = std::move(identity)]() mutable {
            return GestureAssignment::addDrawing(std::move(strokes), identity, model);
        },
        [this, added = std::move(added), before, done = std::move(done)](const std::optional<GestureRefusal>& refusal) {
            m_writing = false;
            if (!refusal && before)
                m_last = Addition { added, before };
            done(added, refusal);
        });
}

void UndoableAddition::undo(UndoOutcome done)
{
    if (!canUndo())
        return;
    Addition last = std::move(*m_last);
    m_last.reset();
    m_writing = true;
    m_writes.queueWithOutcome(
        [&model = m_model, before = last.before]() -> Expected<Done> {
            return model.restoreGesture(*before);
        },
        [this, added = last.added, done = std::move(done)](const Expected<Done>& saved) {
            m_writing = false;
            done(added, saved);
        });
}

}
