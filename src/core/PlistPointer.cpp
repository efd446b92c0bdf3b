#include "core/PlistPointer.h"

#include "core/PropertyListShape.h"
#include "core/XmlLargeData.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace scriblo {

namespace {

// libplist recurses and expands shared objects as it goes, so what it would build is
// measured before it sees a byte.
Expected<PropertyListShape> measured(const char* text, size_t size)
{
    if (size == 0)
        return Failure { "empty" };
    if (size > UINT32_MAX)
        return Failure { "too large for a property list" };
    return PropertyListShape::measure(text, size);
}

Expected<PlistPointer> parsedByLibrary(std::string_view text)
{
    plist_t root = nullptr;
    plist_from_memory(text.data(), uint32_t(text.size()), &root);
    if (!root)
        return Failure { "not a property list" };
    return PlistPointer(root);
}

}

Expected<PlistPointer> parsePropertyList(const void* bytes, size_t size)
{
    const char* text = static_cast<const char*>(bytes);
    if (auto shape = measured(text, size); !shape)
        return Failure { shape.error() };
    return parsedByLibrary(std::string_view(text, size));
}

Expected<PlistPointer> parsePropertyListText(std::string& text)
{
    auto shape = measured(text.data(), text.size());
    if (!shape)
        return Failure { shape.error() };
    if (auto taken = XmlLargeData::takeOut(text, shape->largeRootData)) {
        if (auto parsed = parsedByLibrary(taken->text()); parsed && taken->putBack(parsed->get(), text))
            return parsed;
    }
    return parsedByLibrary(text);
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
