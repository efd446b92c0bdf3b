#include "multitouch/MultitouchListener.h"

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
        [listener = shared_from_this(), event] {
            if (QObject* target = listener->m_target)
                listener->m_callback.invoke(target, event);
        },
        Qt::QueuedConnection);
}

}
