#pragma once

#include "core/GestureDictionary.h"
#include "core/GestureStroke.h"
#include "core/KeyedUnarchiver.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace scriblo {

// The JSON form of drawings and gestures used on the command line:
// strokes are `[[[x, y], …], …]` in the 0..1000 drawing space, and each point's stroke
// identifier is its stroke's index plus 1. A gesture is its `identity`, its first
// drawing's `strokes` and, where it has more, `moreDrawings`, a list of such stroke
// lists; a reader that knows only the first two reads the same gestures.
class GestureJson {
public:
    // A full store's JSON takes fewer bytes than its archive: a point at most about 60
    // against 102, an identity at most six bytes a byte (control characters escaped)
    // against two texts of its own bytes. A file, or a line of standard input, is
    // refused past it.
    static constexpr size_t maximumDocumentSize = KeyedUnarchiver::maximumArchiveSize;
    // A full store takes three items a point (the point's list, the comma within it and
    // the one after it); beyond these the parsed tree would take gigabytes.
    static constexpr size_t maximumItemCount = 4 * KeyedUnarchiver::maximumGestureCount * size_t(Gesture::maximumPointCount);
    static constexpr size_t maximumDepth = 16;

    struct Entry {
        std::string identity;
        std::vector<GestureStroke> strokes;
        std::vector<std::vector<GestureStroke>> moreDrawings;

        Gesture gesture() &&;
    };

    // Throws InputError naming `where` when the value is not a list of strokes of
    // finite [x, y] pairs.
    static std::vector<GestureStroke> strokesFromJson(const nlohmann::json& value, const std::string& where);
    static std::vector<Entry> gesturesFromJson(const nlohmann::json& document, const std::string& where);

    static nlohmann::json strokesToJson(const std::vector<GestureStroke>& strokes);
    static nlohmann::json gesturesToJson(const std::vector<std::shared_ptr<const Gesture>>& gestures);

    // Parses text, turning a syntax error, or a text nested or long past the limits
    // above, into an InputError with its line number.
    static nlohmann::json parse(const std::string& text, const std::string& file, size_t firstLine = 1);
};

}
