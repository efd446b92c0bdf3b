#pragma once

#include <plist/plist.h>

#include <cstddef>
#include <memory>
#include <type_traits>

namespace scriblo {

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};

// Owns a property-list tree from libplist.
using PlistPointer = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistDeleter>;

// Parses XML or binary property-list bytes; nothing when they are not a property list
// or are too large for the library's 32-bit lengths.
PlistPointer parsePropertyList(const void* bytes, size_t size);

}
