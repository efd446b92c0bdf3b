#pragma once

#include "recognition/LastDrawing.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scriblo {

class GestureRecognizer;

// The gestures the last drawing came closest to, as the store holds them now, each with
// whether the drawing can still be added to it.
class LastDrawingChoices {
public:
    static constexpr size_t shownCount = 3;

    struct Choice {
        std::string identity;
        int32_t score = 0;
        // A gesture that keeps as many drawings as it can takes no more.
        bool full = false;

        bool operator==(const Choice&) const = default;
    };

    // Best first; fewer than `shownCount` when fewer gestures are stored or the drawing
    // is too short to match.
    static std::vector<Choice> of(const LastDrawing& drawing, const GestureRecognizer& recognizer);
};

}
