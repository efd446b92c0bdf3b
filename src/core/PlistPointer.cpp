#include "core/PlistPointer.h"

#include <cstdint>

namespace scriblo {

PlistPointer parsePropertyList(const void* bytes, size_t size)
{
    if (size == 0 || size > UINT32_MAX)
        return nullptr;
    plist_t root = nullptr;
    plist_from_memory(static_cast<const char*>(bytes), uint32_t(size), &root);
    return PlistPointer(root);
}

}
