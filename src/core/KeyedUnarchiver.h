#pragma once

#include "core/GestureDictionary.h"
#include "core/UserDefaultsValue.h"

#include <functional>
#include <map>
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
    // The one source of the store's size limits: the store refuses any save past them,
    // and the largest archive it may write is what this reader admits.
    static constexpr size_t maximumGestureCount = 1024;
    // KeyedArchiver spends at most 102 bytes a point in a full store (references and
    // offsets take four bytes there): a dictionary of four keys and four values, a
    // class reference, two reals, a stroke number of up to eight bytes, its place in
    // its stroke's list and in `$objects`, and six offsets. A gesture adds its key and
    // identity texts and under 512 bytes of gesture, list and stroke objects.
    static constexpr size_t archivedPointSize = 102;
    static constexpr size_t archivedGestureSize =
        size_t(Gesture::maximumPointCount) * archivedPointSize + 2 * (Gesture::maximumIdentityLength + 8) + 512;
    static constexpr size_t maximumArchiveSize = maximumGestureCount * archivedGestureSize + 4096;
    // Every drawing counts, the first ones and those beside them, so that a store full of
    // drawings holds no more points and templates than one full of single drawings, and
    // takes no more time or memory to load: 1,024 × 1,024 points, and as many templates
    // as 1,024 drawings of three strokes make (3!·2³ each).
    static constexpr int64_t maximumPointCountOfAllDrawings = int64_t(maximumGestureCount) * Gesture::maximumPointCount;
    static constexpr int64_t maximumTemplateCountOfAllDrawings = int64_t(maximumGestureCount) * 48;
    // The further drawings' archive holds at most the points that the first drawings
    // leave, each gesture's key once and, for each further drawing, its lists.
    static constexpr size_t maximumMoreDrawingsArchiveSize = size_t(maximumPointCountOfAllDrawings) * archivedPointSize
        + maximumGestureCount * (Gesture::maximumIdentityLength + 8 + 512)
        + maximumGestureCount * size_t(Gesture::maximumDrawingCount - 1) * 512 + 4096;

    struct Result {
        // Nothing when the archive as a whole cannot be read.
        std::optional<GestureDictionary> gestures;
        // Why the whole archive, or each dropped entry, could not be read.
        std::vector<std::string> problems;

        bool isComplete() const { return gestures && problems.empty(); }
    };

    // `progress` hears how many entries have been read, of how many.
    using Progress = std::function<void(size_t done, size_t total)>;
    static Result unarchiveGestures(const Data& data, const Progress& progress = nullptr);

    // One gesture's drawings after the first, and the fingerprint of the first drawing
    // they were added to.
    struct MoreDrawings {
        uint64_t firstDrawingFingerprint { 0 };
        std::vector<std::vector<GestureStroke>> drawings;
    };
    struct MoreDrawingsResult {
        // Nothing when the archive as a whole cannot be read.
        std::optional<std::map<std::string, MoreDrawings>> drawings;
        std::vector<std::string> problems;

        bool isComplete() const { return drawings && problems.empty(); }
    };

    // The further drawings that KeyedArchiver::archivedMoreDrawings writes, checked as
    // the gestures are: each drawing within a gesture's limits, at most seven a gesture.
    static MoreDrawingsResult unarchiveMoreDrawings(const Data& data);
};

}
