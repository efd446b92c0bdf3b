#pragma once

#include "base/Expected.h"

#include <plist/plist.h>

#include <cstddef>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace scriblo {

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};

// Owns a property-list tree from libplist.
using PlistPointer = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistDeleter>;

// Parses XML or binary property-list bytes, which may come from anywhere. A failure says
// why in words for the user: not a property list, too large for the library's 32-bit
// lengths, too deeply nested, or too many values once shared ones are expanded.
Expected<PlistPointer> parsePropertyList(const void* bytes, size_t size);
// The same for the text of a file that was read only to be parsed. Large data values
// are decoded without libplist, and `text` is released when they are: a full store could
// not hold it beside two copies of its archive. It is kept when the parse fails, or when
// libplist decodes everything after all.
Expected<PlistPointer> parsePropertyListText(std::string& text);

// The items of an array node, in order. Walking once matters: the library finds an item
// by index by walking the list, so indexing each in turn would be quadratic.
std::vector<plist_t> arrayItems(plist_t array);

}
