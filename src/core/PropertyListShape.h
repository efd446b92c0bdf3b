#pragma once

#include "base/Expected.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace scriblo {

// How big a tree libplist would build from some property-list bytes, found without
// building it. The library parses recursively and copies a shared object once for every
// reference to it, so a few hundred hostile bytes can overflow the stack or claim
// gigabytes; the shape is measured first and bytes beyond the limits never reach it.
struct PropertyListShape {
    // A full gesture store (1,024 gestures of 1,024 points) expands to about 10.5 million
    // nodes, which libplist holds in about 1.4 GB; the limit leaves room for
    // archives written elsewhere and refuses anything far beyond.
    static constexpr uint64_t maximumNodeCount = uint64_t(1) << 24;
    // Far deeper than any real store or bookmarks file, far shallower than the stack.
    static constexpr uint32_t maximumDepth = 64;

    // Arrays and dictionaries on the longest path from the root.
    uint32_t depth = 0;
    // Every value, dictionary key included, with shared objects counted once per use.
    uint64_t nodeCount = 0;

    // In XML, where the text of each data value of at least this many characters lies
    // that is directly in a root dictionary, as a full store's archive is.
    static constexpr size_t largeDataText = 64 * 1024;
    struct TextSpan {
        size_t offset;
        size_t length;
    };
    std::vector<TextSpan> largeRootData;

    // XML or binary (`bplist00`) bytes; a failure says which limit was passed or why the
    // bytes could not be measured.
    static Expected<PropertyListShape> measure(const char* bytes, size_t size);
    static Failure tooDeep();
    static Failure tooManyNodes();
};

}
