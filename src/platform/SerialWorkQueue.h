#pragma once

#include "base/WorkQueue.h"

#include <QObject>
#include <QThreadPool>

#include <memory>

namespace scriblo {

class MainThreadRelay;

// One worker thread, so queued work runs in order. Going away waits for the work queued
// so far: a store write in flight when the user quits is finished, never torn.
class SerialWorkQueue final : public WorkQueue {
public:
    SerialWorkQueue();
    ~SerialWorkQueue() override;

    void queue(std::function<void()> work, std::function<void()> done) override;

private:
    QObject m_receiver;
    std::shared_ptr<MainThreadRelay> m_relay;
    QThreadPool m_worker;
};

}
