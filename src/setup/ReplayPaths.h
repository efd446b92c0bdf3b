#pragma once

#include "recognition/CapturedDrawing.h"

#include <cstdint>
#include <mutex>

namespace scriblo {

// The lines a replay draws, shared by the replay's worker, which adds to them, and the
// main thread, which paints them: every change and every read holds one lock, so
// painting never sees half a step.
class ReplayPaths {
public:
    void clear();
    void beginPath(int32_t key, ViewPoint start);
    void extendPath(int32_t key, ViewPoint to);
    // A copy to paint from once the lock is let go.
    CapturedDrawing::Paths snapshot() const;

private:
    mutable std::mutex m_mutex;
    CapturedDrawing::Paths m_paths;
};

}
