#pragma once

#include <QObject>

#include <functional>
#include <mutex>

namespace scriblo {

// Hands work from any thread to the thread of a receiver, for as long as the receiver
// lives. A detached thread (a launch) may finish after its receiver is gone, and posting
// to a destroyed object is undefined; the receiver closes the relay before it goes, and
// work already posted is dropped with the receiver. Shared by the receiver and the
// threads that post.
class MainThreadRelay {
public:
    explicit MainThreadRelay(QObject* receiver);

    // Runs `work` later on the receiver's thread; does nothing once closed.
    void post(std::function<void()> work);
    void close();

private:
    std::mutex m_mutex;
    QObject* m_receiver;
};

}
