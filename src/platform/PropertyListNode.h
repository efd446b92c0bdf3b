#pragma once

#include "core/UserDefaultsValue.h"

#include <optional>
#include <plist/plist.h>

namespace scriblo {

// Conversion between libplist nodes and stored preference values.
class PropertyListNode {
public:
    // Nothing for a missing node or a kind that preferences never hold (dates,
    // arrays, dictionaries); those stay in the file untouched.
    static std::optional<UserDefaultsValue> toValue(plist_t node);
    static plist_t fromValue(const UserDefaultsValue& value);
    // libplist 2.2 knows only unsigned integers: a negative value comes back as its
    // two's-complement bits, and writing those bits gives the 8-byte signed form.
    static int64_t signedInteger(plist_t node);
};

}
