#pragma once

#include "base/WorkQueue.h"
#include "setup/GestureAssignment.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class GestureRecognitionModel;

// Assign and Clear of the setup window, written on the store's work queue: a full store
// takes a second or two to write, and the window must answer meanwhile. What follows a
// write runs back on the window's thread.
class GestureStoreWrites {
public:
    GestureStoreWrites(GestureRecognitionModel& model, WorkQueue& queue);

    void assign(std::vector<GestureStroke> strokes, std::string identity, std::optional<std::string> earlierIdentity,
                std::function<void(const std::optional<AssignRefusal>&)> done);
    void clear(std::string identity, std::function<void()> done);
    // Whether a write is queued or running; what it changes is not settled until then.
    bool busy() const { return m_pending > 0; }

private:
    void write(std::function<void()> work, std::function<void()> done);

    GestureRecognitionModel& m_model;
    WorkQueue& m_queue;
    int m_pending = 0;
};

}
