#pragma once

#include "core/UserDefaultsValue.h"

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace scriblo {

// Writes "bplist00" bytes object by object, as the caller makes them, with no tree in
// between: a store of 1,024 gestures of 1,024 points is some five million objects, which
// a tree of the library's nodes holds in well over a gigabyte. Values are written at
// once; dictionaries and arrays only keep their references until the object count, and
// with it the width of a reference, is known. Each distinct text is written once, negative
// integers take the 8-byte signed form, and reals that are exact floats take 4 bytes, as
// the platform's archiver writes them.
class BinaryPropertyListWriter {
public:
    // Room for about this many objects and bytes is taken at once: grown by doubling,
    // a full store's 90 MiB would pass through twice its size.
    BinaryPropertyListWriter(size_t expectedObjects = 0, size_t expectedBytes = 0);

    // Each returns the new object's reference.
    uint64_t text(std::string_view text);
    uint64_t integer(uint64_t value);
    uint64_t real(double value);
    uint64_t uid(uint64_t value);
    uint64_t array(std::span<const uint64_t> items);
    // Keys are references to texts, paired with the values in order.
    uint64_t dictionary(std::span<const uint64_t> keys, std::span<const uint64_t> values);

    // The whole list with `top` as its root.
    Data finish(uint64_t top);

private:
    // A dictionary or array whose references are written last.
    struct Container {
        uint64_t object;
        uint8_t marker;
        uint64_t count;
        size_t firstReference;
    };

    // Texts are looked up by view, with no string made for each of the millions of keys.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };

    uint64_t startObject();
    uint64_t addContainer(uint8_t marker, uint64_t count, std::span<const uint64_t> references);
    void writeReferences(const Container& container, size_t referenceSize);

    Data m_out;
    // Offsets and references take 4 bytes in memory, and a full store's tables 60 MiB
    // less: the store's limits keep an archive below a tenth of a gigabyte.
    std::vector<uint32_t> m_offsets;
    std::unordered_map<std::string, uint64_t, TextHash, std::equal_to<>> m_texts;
    std::vector<Container> m_containers;
    std::vector<uint32_t> m_references;
};

}
