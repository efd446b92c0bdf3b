#pragma once

#include "core/PropertyListShape.h"

#include <string_view>

namespace scriblo {

// Measures an XML property list from its tags alone: one pass, no tree, no recursion.
// It over-counts rather than under-counts, since whatever it lets through is parsed
// recursively by the library.
class XmlPropertyListScan {
public:
    explicit XmlPropertyListScan(std::string_view text) : m_text(text) { }

    Expected<PropertyListShape> measure();

private:
    // The position after the markup starting at `position`, or the end of the text.
    size_t skipPast(size_t position, std::string_view terminator) const;
    std::string_view nameAt(size_t position) const;
    size_t noteLargeData(size_t contentStart, PropertyListShape& shape) const;
    static bool isContainer(std::string_view name) { return name == "array" || name == "dict"; }

    std::string_view m_text;
};

}
