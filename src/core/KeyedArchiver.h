#pragma once

#include "core/GestureDictionary.h"
#include "core/UserDefaultsValue.h"

namespace scriblo {

// Writes the gesture dictionary in the keyed archive layout of the platform archiver
// (`$archiver`, `$version`, `$top`, `$objects`, `$class` references), as a binary
// property list, so that an archive written here loads there and the reverse.
class KeyedArchiver {
public:
    static Data archivedDataWithRootObject(const GestureDictionary& gestures);
};

}
