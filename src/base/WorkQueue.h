#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

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

    // The same for work with an outcome, which `done` is handed.
    template <class Work, class Done>
    void queueWithOutcome(Work work, Done done)
    {
        auto outcome = std::make_shared<std::optional<std::invoke_result_t<Work&>>>();
        queue([outcome, work = std::move(work)]() mutable { outcome->emplace(work()); },
              [outcome, done = std::move(done)]() mutable { done(std::move(**outcome)); });
    }
};

}
