#pragma once

#include <functional>

namespace scriblo {

// Runs slow work, such as writing a full gesture store, away from the thread that
// draws the windows, one piece at a time in the order queued, so that a later write
// never lands before an earlier one. The desktop uses a worker thread; tests run the
// work at once.
class WorkQueue {
public:
    virtual ~WorkQueue() = default;
    // `work` runs on the queue's thread; `done` runs afterwards on the thread that queued
    // it, where windows may be touched.
    virtual void queue(std::function<void()> work, std::function<void()> done) = 0;
};

}
