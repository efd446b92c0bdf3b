#pragma once

#include "core/GestureDictionary.h"
#include "core/UserDefaultsValue.h"

#include <optional>
#include <string>
#include <vector>

namespace scriblo {

// Reads a gesture dictionary from keyed-archive bytes, which may come from anywhere:
// every reference, type, count and number is checked, so malformed input ends in a
// failure value, never a crash, a hang or an unbounded allocation. One damaged entry
// costs only that entry.
class KeyedUnarchiver {
public:
    static constexpr size_t maximumArchiveSize = 64 * 1024 * 1024;
    static constexpr size_t maximumGestureCount = 1024;

    struct Result {
        // Nothing when the archive as a whole cannot be read.
        std::optional<GestureDictionary> gestures;
        // Why the whole archive, or each dropped entry, could not be read.
        std::vector<std::string> problems;

        bool isComplete() const { return gestures && problems.empty(); }
    };

    static Result unarchiveGestures(const Data& data);
};

}
