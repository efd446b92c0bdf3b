#include "core/PlistPointer.h"

#include "core/PropertyListShape.h"

#include <cstdint>
#include <cstdlib>

namespace scriblo {

Expected<PlistPointer> parsePropertyList(const void* bytes, size_t size)
{
    if (size == 0)
        return Failure { "empty" };
    if (size > UINT32_MAX)
        return Failure { "too large for a property list" };
    const char* text = static_cast<const char*>(bytes);
    // libplist recurses and expands shared objects as it goes, so what it would build is
    // measured before it sees a byte.
    auto shape = PropertyListShape::measure(text, size);
    if (!shape)
        return Failure { shape.error() };
    plist_t root = nullptr;
    plist_from_memory(text, uint32_t(size), &root);
    if (!root)
        return Failure { "not a property list" };
    return PlistPointer(root);
}

std::vector<plist_t> arrayItems(plist_t array)
{
    std::vector<plist_t> items;
    items.reserve(plist_array_get_size(array));
    plist_array_iter iterator = nullptr;
    plist_array_new_iter(array, &iterator);
    for (plist_t item = nullptr;;) {
        plist_array_next_item(array, iterator, &item);
        if (!item)
            break;
        items.push_back(item);
    }
    std::free(iterator);
    return items;
}

}
