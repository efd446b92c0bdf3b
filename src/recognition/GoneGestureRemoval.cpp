#include "recognition/GoneGestureRemoval.h"

#include "core/GestureRecognitionModel.h"
#include "base/WorkQueue.h"
#include "core/RemovedGestures.h"
#include "platform/Notifier.h"

#include <QLoggingCategory>

namespace scriblo {

Q_LOGGING_CATEGORY(gestureRemoval, "scriblo.gestures.removal")

GoneGestureRemoval::GoneGestureRemoval(GestureRecognitionModel& store, WorkQueue& writes, std::shared_ptr<RemovedGestures> kept,
                                       std::shared_ptr<Notifier> notifier)
    : m_store(store)
    , m_writes(writes)
    , m_kept(std::move(kept))
    , m_notifier(std::move(notifier))
{
}

void GoneGestureRemoval::remove(const std::string& identity, std::function<void(bool removed)> removed)
{
    auto gesture = m_store.getGestureWithIdentity(identity);
    if (!gesture || m_underWay.contains(identity))
        return removed(false);
    if (!m_kept || !m_notifier) {
        qCWarning(gestureRemoval).noquote() << "The target of" << QString::fromStdString(identity)
                                            << "is gone; its gesture stays, with nowhere to keep it";
        return removed(false);
    }
    m_underWay.insert(identity);
    m_writes.queueWithOutcome(
        [&store = m_store, kept = m_kept, gesture, identity]() -> Expected<std::string> {
            auto keptIn = kept->keep(*gesture);
            if (!keptIn)
                return Failure { "its gesture stays, since it could not be kept: " + keptIn.error() };
            if (!store.deleteGestureWithName(identity))
                return Failure { "its gesture stays, since the store could not be written" };
            return keptIn;
        },
        [this, identity, removed = std::move(removed)](const Expected<std::string>& keptIn) {
            m_underWay.erase(identity);
            report(identity, keptIn);
            removed(bool(keptIn));
        });
}

void GoneGestureRemoval::report(const std::string& identity, const Expected<std::string>& keptIn)
{
    QString name = QString::fromStdString(identity);
    if (!keptIn) {
        qCWarning(gestureRemoval).noquote() << "The target of" << name << "is gone;" << QString::fromStdString(keptIn.error());
        return;
    }
    QString where = QString::fromStdString(*keptIn);
    qCInfo(gestureRemoval).noquote() << "Removed the gesture of" << name << "whose target is gone; kept in" << where;
    m_notifier->notify(tr("Gesture removed"),
                       tr("The target of the gesture “%1” is gone, so the gesture was removed. It is kept in %2: "
                          "“scriblo gestures import %2” brings it back.")
                           .arg(name, where));
}

}
