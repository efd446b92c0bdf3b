#include "core/PropertyListShape.h"

#include "core/BinaryPropertyListScan.h"
#include "core/XmlPropertyListScan.h"

#include <string>
#include <string_view>

namespace scriblo {

Expected<PropertyListShape> PropertyListShape::measure(const char* bytes, size_t size)
{
    std::string_view text(bytes, size);
    // libplist takes exactly this prefix as binary and anything else as XML.
    if (text.starts_with("bplist00"))
        return BinaryPropertyListScan(text).measure();
    return XmlPropertyListScan(text).measure();
}

Failure PropertyListShape::tooDeep()
{
    return Failure { "too deeply nested (more than " + std::to_string(maximumDepth) + " levels)" };
}

Failure PropertyListShape::tooManyNodes()
{
    return Failure { "too many values (more than " + std::to_string(maximumNodeCount) + ", shared ones counted at each use)" };
}

}
