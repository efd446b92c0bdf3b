#pragma once

#include "core/PropertyListShape.h"

#include <plist/plist.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

// libplist gathers a data value's text in pieces and decodes it a character at a time:
// for a full store's 95 MiB archive that is most of the time the XML takes to parse.
// The large data values of a root dictionary are decoded here instead, and libplist
// parses a copy of the text in which each of them is a short placeholder.
class XmlLargeData {
public:
    // Decodes the values at `spans` of `text`. One that libplist would read differently
    // (one holding an entity, say, or padding in the middle) stays in the text for
    // libplist; nothing when none is left to take out.
    static std::optional<XmlLargeData> takeOut(const std::string& text, const std::vector<PropertyListShape::TextSpan>& spans);

    // The text to parse, with placeholders.
    const std::string& text() const { return m_text; }

    // Sets each decoded value in place of its placeholder in `root`, after releasing
    // `original`, which a full store could not keep beside two copies of its archive
    // within the load's memory. Returns false, with `original` kept, when a placeholder
    // is not among the root's values (keys that repeat drop all but the last), so that
    // the caller can let libplist parse the original instead.
    bool putBack(plist_t root, std::string& original) const;

private:
    using Placeholder = std::array<char, 16>;
    struct Value {
        std::unique_ptr<char[]> bytes;
        size_t size;
    };

    XmlLargeData();
    // A mark no file can know in advance, then the value's index.
    Placeholder placeholder(uint32_t index) const;
    std::optional<uint32_t> indexOf(plist_t node) const;

    std::string m_text;
    std::vector<Value> m_values;
    std::array<char, 12> m_mark {};
};

}
