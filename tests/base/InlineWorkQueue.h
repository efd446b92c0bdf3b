#pragma once

#include "base/WorkQueue.h"

#include <utility>
#include <vector>

namespace scriblo::testing {

// Runs queued work and what follows it at once, so a test sees the write done when the
// call that queued it returns; held, it keeps the work until released, as a slow write
// on a busy machine would.
class InlineWorkQueue final : public WorkQueue {
public:
    void queue(std::function<void()> work, std::function<void()> done) override
    {
        m_pending.emplace_back(std::move(work), std::move(done));
        if (!held)
            release();
    }

    void release()
    {
        held = false;
        auto pending = std::exchange(m_pending, {});
        for (auto& [work, done] : pending) {
            work();
            done();
        }
    }

    size_t pendingCount() const { return m_pending.size(); }

    bool held = false;

private:
    std::vector<std::pair<std::function<void()>, std::function<void()>>> m_pending;
};

}
