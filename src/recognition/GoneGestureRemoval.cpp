#include "recognition/GoneGestureRemoval.h"

#include "core/GestureRecognitionModel.h"
#include "core/RemovedGestures.h"
#include "platform/Notifier.h"

#include <QLoggingCategory>

namespace scriblo {

Q_LOGGING_CATEGORY(gestureRemoval, "scriblo.gestures.removal")

GoneGestureRemoval::GoneGestureRemoval(GestureRecognitionModel& store, std::shared_ptr<RemovedGestures> kept,
                                       std::shared_ptr<Notifier> notifier)
    : m_store(store)
    , m_kept(std::move(kept))
    , m_notifier(std::move(notifier))
{
}

bool GoneGestureRemoval::remove(const std::string& identity)
{
    auto gesture = m_store.getGestureWithIdentity(identity);
    if (!gesture)
        return false;
    QString name = QString::fromStdString(identity);
    if (!m_kept || !m_notifier) {
        qCWarning(gestureRemoval).noquote() << "The target of" << name << "is gone; its gesture stays, with nowhere to keep it";
        return false;
    }
    auto keptIn = m_kept->keep(*gesture);
    if (!keptIn) {
        qCWarning(gestureRemoval).noquote() << "The target of" << name << "is gone; its gesture stays, since it could not be kept:"
                                            << QString::fromStdString(keptIn.error());
        return false;
    }
    if (!m_store.deleteGestureWithName(identity)) {
        qCWarning(gestureRemoval).noquote() << "The target of" << name << "is gone, but the store could not be written";
        return false;
    }
    QString where = QString::fromStdString(*keptIn);
    qCInfo(gestureRemoval).noquote() << "Removed the gesture of" << name << "whose target is gone; kept in" << where;
    m_notifier->notify(tr("Gesture removed"),
                       tr("The target of the gesture “%1” is gone, so the gesture was removed. It is kept in %2: "
                          "“scriblo gestures import %2” brings it back.")
                           .arg(name, where));
    return true;
}

}
