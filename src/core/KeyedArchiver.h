#pragma once

#include "core/GestureDictionary.h"
#include "core/UserDefaultsValue.h"

#include <cstddef>
#include <functional>
#include <optional>

namespace scriblo {

// Writes the gesture dictionary in the keyed archive layout of the platform archiver
// (`$archiver`, `$version`, `$top`, `$objects`, `$class` references), as a binary
// property list, so that an archive written here loads there and the reverse.
class KeyedArchiver {
public:
    // Hears how many gestures have been written, of how many.
    using Progress = std::function<void(size_t done, size_t total)>;

    // Each gesture with its first drawing: the store's "Gestures" value, in the form
    // every reader of the store knows.
    static Data archivedDataWithRootObject(const GestureDictionary& gestures, const Progress& progress = nullptr);
    // The drawings after the first, of the gestures that have any, in the same layout:
    // identity → GestureDrawings (the first drawing's fingerprint, and a list of
    // drawings, each a list of strokes). Nothing when no gesture has more than one.
    static std::optional<Data> archivedMoreDrawings(const GestureDictionary& gestures);
};

}
