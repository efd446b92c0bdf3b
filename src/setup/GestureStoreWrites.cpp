#include "setup/GestureStoreWrites.h"

#include "core/GestureRecognitionModel.h"

#include <QLoggingCategory>
#include <QString>


namespace scriblo {

namespace {

Q_LOGGING_CATEGORY(setupStore, "scriblo.setup.store")

}

GestureStoreWrites::GestureStoreWrites(GestureRecognitionModel& model, WorkQueue& queue)
    : m_model(model)
    , m_queue(queue)
    , m_clears(model, queue)
{
}

template <class Work, class Outcome>
void GestureStoreWrites::write(Work work, std::function<void(const Outcome&)> done)
{
    ++m_pending;
    m_queue.queueWithOutcome(std::move(work), [this, done = std::move(done)](const Outcome& outcome) {
        --m_pending;
        done(outcome);
    });
}

void GestureStoreWrites::assign(std::vector<GestureStroke> strokes, std::string identity, std::optional<std::string> earlierIdentity,
                                std::function<void(const std::optional<GestureRefusal>&)> done)
{
    write([this, strokes = std::move(strokes), identity = std::move(identity), earlier = std::move(earlierIdentity)]() mutable {
        return GestureAssignment::store(std::move(strokes), identity, earlier, m_model);
    }, std::move(done));
}

void GestureStoreWrites::addDrawing(std::vector<GestureStroke> strokes, std::string identity,
                                    std::function<void(const std::optional<GestureRefusal>&)> done)
{
    write([this, strokes = std::move(strokes), identity = std::move(identity)]() mutable {
        return GestureAssignment::addDrawing(std::move(strokes), identity, m_model);
    }, std::move(done));
}

void GestureStoreWrites::removeDrawing(std::string identity, int32_t index, std::function<void(const Expected<Done, GestureRefusal>&)> done)
{
    write([this, identity = std::move(identity), index] { return m_model.removeDrawingOfGesture(identity, index); }, std::move(done));
}

void GestureStoreWrites::clear(UndoableClear::Cleared cleared, std::function<void()> done)
{
    m_clears.clear(std::move(cleared), [done = std::move(done)](const UndoableClear::Cleared&, const Expected<Done>& deleted) {
        if (!deleted)
            qCWarning(setupStore).noquote() << "The gesture is cleared, but the store could not be written ("
                                            << QString::fromStdString(deleted.error()) << "); it may come back after Scriblo quits";
        done();
    });
}

void GestureStoreWrites::undoClear(std::function<void()> done)
{
    m_clears.undo([done = std::move(done)](const UndoableClear::Cleared&, const Expected<Done>& saved) {
        if (!saved)
            qCWarning(setupStore).noquote() << "The cleared gesture was not brought back in full:"
                                            << QString::fromStdString(saved.error());
        done();
    });
}

std::optional<std::string> GestureStoreWrites::clearedName() const
{
    const auto& cleared = m_clears.lastCleared();
    return cleared && canUndoClear() ? std::optional(cleared->name) : std::nullopt;
}

}
