#pragma once

#include "multitouch/MultitouchCallback.h"

#include <QPointer>
#include <QThread>

#include <memory>

namespace scriblo {

// A target, the callback to run on it for every frame, and the thread to run it on.
// The target is watched rather than owned: Qt objects belong to their parents, and a
// target destroyed while registered simply receives nothing more.
class MultitouchListener : public std::enable_shared_from_this<MultitouchListener> {
public:
    // A missing thread means the thread that creates the listener.
    MultitouchListener(QObject* target, MultitouchCallback callback, QThread* thread = nullptr);

    QObject* target() const { return m_target; }
    // The target this listener was made for, even after that object was destroyed.
    const QObject* targetIdentity() const { return m_targetIdentity; }
    const MultitouchCallback& callback() const { return m_callback; }
    QThread* thread() const { return m_thread; }

    // Queues the callback on the listener's thread and returns at once. A queued frame
    // holds the listener weakly, so a listener removed meanwhile receives nothing more
    // and is never destroyed by Qt discarding undelivered events, which it does under
    // the lock that posting takes.
    void sendMultitouchEvent(const MultitouchEventPointer& event) const;
    // Drops the frames queued for this listener and not yet delivered; on its thread.
    void discardQueuedEvents() const;

private:
    struct LaterDeleter {
        void operator()(QObject* object) const { object->deleteLater(); }
    };

    QPointer<QObject> m_target;
    const QObject* m_targetIdentity;
    MultitouchCallback m_callback;
    QThread* m_thread;
    std::unique_ptr<QObject, LaterDeleter> m_receiver;
};

using MultitouchListenerPointer = std::shared_ptr<MultitouchListener>;

}
