#include "setup/GestureStoreWrites.h"

#include "core/GestureRecognitionModel.h"

#include <QLoggingCategory>
#include <QString>

#include <memory>

namespace scriblo {

namespace {

Q_LOGGING_CATEGORY(setupStore, "scriblo.setup.store")

}

GestureStoreWrites::GestureStoreWrites(GestureRecognitionModel& model, WorkQueue& queue)
    : m_model(model)
    , m_queue(queue)
{
}

void GestureStoreWrites::assign(std::vector<GestureStroke> strokes, std::string identity, std::optional<std::string> earlierIdentity,
                                std::function<void(const std::optional<AssignRefusal>&)> done)
{
    auto refusal = std::make_shared<std::optional<AssignRefusal>>();
    write(
        [this, refusal, strokes = std::move(strokes), identity = std::move(identity), earlier = std::move(earlierIdentity)]() mutable {
            *refusal = GestureAssignment::store(std::move(strokes), identity, earlier, m_model);
        },
        [refusal, done = std::move(done)] { done(*refusal); });
}

void GestureStoreWrites::clear(std::string identity, std::function<void()> done)
{
    write(
        [this, identity = std::move(identity)] {
            if (auto deleted = m_model.deleteGestureWithName(identity); !deleted)
                qCWarning(setupStore).noquote() << "The gesture is cleared, but the store could not be written ("
                                                << QString::fromStdString(deleted.error()) << "); it may come back after Scriblo quits";
        },
        std::move(done));
}

void GestureStoreWrites::write(std::function<void()> work, std::function<void()> done)
{
    ++m_pending;
    m_queue.queue(std::move(work), [this, done = std::move(done)] {
        --m_pending;
        done();
    });
}

}
