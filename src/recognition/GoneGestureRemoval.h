#pragma once

#include <QCoreApplication>

#include <memory>
#include <string>

namespace scriblo {

class GestureRecognitionModel;
class Notifier;
class RemovedGestures;

// Deletes a gesture whose target is gone for good, never behind the user's back: the
// gesture is first kept where `scriblo gestures import` takes it back, then deleted, and
// then the user is told. A gesture that cannot be kept, or whose removal nobody could be
// told of, stays in the store.
class GoneGestureRemoval {
    Q_DECLARE_TR_FUNCTIONS(GoneGestureRemoval)
public:
    GoneGestureRemoval(GestureRecognitionModel& store, std::shared_ptr<RemovedGestures> kept,
                       std::shared_ptr<Notifier> notifier);

    // Whether the gesture left the store.
    bool remove(const std::string& identity);

private:
    GestureRecognitionModel& m_store;
    const std::shared_ptr<RemovedGestures> m_kept;
    const std::shared_ptr<Notifier> m_notifier;
};

}
