#include "platform/SerialWorkQueue.h"

#include "platform/MainThreadRelay.h"

namespace scriblo {

SerialWorkQueue::SerialWorkQueue()
    : m_relay(std::make_shared<MainThreadRelay>(&m_receiver))
{
    m_worker.setMaxThreadCount(1);
    // A thread kept for the next write costs nothing; starting one for each would cost a
    // little on every Assign.
    m_worker.setExpiryTimeout(-1);
}

// The work is finished; what it would have shown has no window left to show it in.
SerialWorkQueue::~SerialWorkQueue()
{
    m_relay->close();
    m_worker.waitForDone();
}

void SerialWorkQueue::queue(std::function<void()> work, std::function<void()> done)
{
    m_worker.start([relay = m_relay, work = std::move(work), done = std::move(done)]() mutable {
        work();
        relay->post(std::move(done));
    });
}

}
