#include "multitouch/MultitouchListener.h"

#include <QCoreApplication>

namespace scriblo {

MultitouchListener::MultitouchListener(QObject* target, MultitouchCallback callback, QThread* thread)
    : m_target(target)
    , m_targetIdentity(target)
    , m_callback(std::move(callback))
    , m_thread(thread ? thread : QThread::currentThread())
    , m_receiver(new QObject)
{
    // Queued calls run in the thread their receiver lives in.
    m_receiver->moveToThread(m_thread);
}

void MultitouchListener::sendMultitouchEvent(const MultitouchEventPointer& event) const
{
    QMetaObject::invokeMethod(
        m_receiver.get(),
        [weakListener = weak_from_this(), event] {
            auto listener = weakListener.lock();
            if (QObject* target = listener ? listener->m_target : nullptr)
                listener->m_callback.invoke(target, event);
        },
        Qt::QueuedConnection);
}

void MultitouchListener::discardQueuedEvents() const
{
    QCoreApplication::removePostedEvents(m_receiver.get(), QEvent::MetaCall);
}

}
