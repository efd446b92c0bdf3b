#pragma once

#include "base/Expected.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <set>
#include <string>

namespace scriblo {

class GestureRecognitionModel;
class Notifier;
class RemovedGestures;
class WorkQueue;

// Deletes a gesture whose target is gone for good, never behind the user's back: the
// gesture is first kept where `scriblo gestures import` takes it back, then deleted, and
// then the user is told. A gesture that cannot be kept, or whose removal nobody could be
// told of, stays in the store. Keeping and deleting are writes, done on the store's queue.
class GoneGestureRemoval {
    Q_DECLARE_TR_FUNCTIONS(GoneGestureRemoval)
public:
    GoneGestureRemoval(GestureRecognitionModel& store, WorkQueue& writes, std::shared_ptr<RemovedGestures> kept,
                       std::shared_ptr<Notifier> notifier);

    // `removed` hears, on this thread, whether the gesture left the store. A gesture
    // already on its way out is not kept twice.
    void remove(const std::string& identity, std::function<void(bool removed)> removed);

private:
    void report(const std::string& identity, const Expected<std::string>& keptIn);

    GestureRecognitionModel& m_store;
    WorkQueue& m_writes;
    std::set<std::string> m_underWay;
    const std::shared_ptr<RemovedGestures> m_kept;
    const std::shared_ptr<Notifier> m_notifier;
};

}
