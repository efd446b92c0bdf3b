#pragma once

#include "base/Expected.h"
#include "core/Gesture.h"

#include <string>

namespace scriblo {

// Where a gesture goes before the store lets it go because its target is gone, so that
// the user can take it back: the store deletes nothing this could not keep.
class RemovedGestures {
public:
    virtual ~RemovedGestures() = default;

    // Keeps the gesture, replacing one kept earlier under the same identity. Says where,
    // in words for the user, or why it could not.
    virtual Expected<std::string> keep(const Gesture& gesture) = 0;
};

}
