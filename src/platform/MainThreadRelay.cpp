#include "platform/MainThreadRelay.h"

namespace scriblo {

MainThreadRelay::MainThreadRelay(QObject* receiver)
    : m_receiver(receiver)
{
}

void MainThreadRelay::post(std::function<void()> work)
{
    // Posting only queues an event, so holding the lock through it costs nothing, and it
    // keeps close() from returning while a post to the receiver is half done.
    std::lock_guard lock(m_mutex);
    if (m_receiver)
        QMetaObject::invokeMethod(m_receiver, std::move(work), Qt::QueuedConnection);
}

void MainThreadRelay::close()
{
    std::lock_guard lock(m_mutex);
    m_receiver = nullptr;
}

}
