#pragma once

#include "base/Expected.h"

#include <string>

namespace scriblo {

// Why the gesture store kept nothing of what it was handed: the cause, for a caller that
// acts on it or words it its own way, and the message, which names the gesture.
struct GestureRefusal : Failure {
    enum class Reason {
        // Nothing was drawn at all.
        NothingDrawn,
        // Fewer points than the matcher can tell apart from any other drawing.
        TooShort,
        // Something else about the gesture the store does not take; `problem` says what.
        Unstorable,
        // New gestures beyond the most the store can read back.
        StoreFull,
        // The gestures were taken, but the store's file could not be written.
        NotWritten,
    };

    static GestureRefusal because(Reason reason, std::string problem) { return { { problem }, reason, problem }; }

    Reason reason = Reason::Unstorable;
    // What is wrong with the gesture itself, without its identity.
    std::string problem;
};

}
