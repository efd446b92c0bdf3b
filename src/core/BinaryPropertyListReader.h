#pragma once

#include "core/BinaryPropertyListLayout.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scriblo {

// Reads the objects of "bplist00" bytes where they lie, by number, without building a
// tree: a keyed archive's reader follows references itself, so nothing is expanded or
// copied that it does not ask for, and no input makes it recurse. Every read is bounded
// by the object area; a value of the wrong kind, or one that runs past the area, reads
// as nothing.
class BinaryPropertyListReader {
public:
    static Expected<BinaryPropertyListReader> open(std::string_view bytes);

    uint64_t topObject() const { return m_layout.topObject(); }
    uint64_t objectCount() const { return m_layout.objectCount(); }

    bool isDictionary(uint64_t object) const;
    bool isArray(uint64_t object) const;
    // Integers of 1, 2 and 4 bytes are unsigned, those of 8 bytes signed.
    std::optional<int64_t> integer(uint64_t object) const;
    std::optional<double> real(uint64_t object) const;
    std::optional<uint64_t> uid(uint64_t object) const;
    // An ASCII or UTF-16 text, as UTF-8; nothing for a UTF-16 text with a lone surrogate.
    std::optional<std::string> text(uint64_t object) const;
    // The objects an array holds, in order; nothing for more than `limit`, so that a
    // count read from the input never decides an allocation alone.
    std::optional<std::vector<uint64_t>> arrayItems(uint64_t object, uint64_t limit) const;
    // The first value whose key is `key`.
    std::optional<uint64_t> valueForKey(uint64_t dictionary, std::string_view key) const;

    // Keys wanted from many dictionaries alike, such as every point's "x", "y" and
    // "strokeId". An archive keeps one object for each key, so which key an object is,
    // is found once and remembered; for a few objects only, since a hostile file may use
    // a new one every time, and is then compared every time.
    class Keys {
    public:
        static constexpr size_t maximumCount = 4;
        Keys(std::initializer_list<std::string_view> names);
        size_t size() const { return m_count; }

    private:
        friend class BinaryPropertyListReader;
        std::array<std::string_view, maximumCount> m_names {};
        size_t m_count = 0;
        mutable std::array<std::pair<uint64_t, size_t>, 8> m_known {};
        mutable size_t m_knownCount = 0;
    };
    // The first value of each of `keys`, as valueForKey finds it, into `values` (as many
    // as there are keys); false, with nothing found, when `dictionary` is none.
    bool valuesForKeys(uint64_t dictionary, const Keys& keys, std::span<std::optional<uint64_t>> values) const;

private:
    explicit BinaryPropertyListReader(BinaryPropertyListLayout layout) : m_layout(layout) { }
    std::optional<BinaryPropertyListLayout::Object> objectOfKind(uint64_t object, uint8_t kind) const;
    std::optional<std::vector<uint64_t>> references(uint64_t object, uint8_t kind, uint64_t perEntry, uint64_t limit) const;
    bool isText(uint64_t object, std::string_view expected) const;
    // Which of `keys` the key `object` is: their number when none.
    size_t whichKey(uint64_t object, const Keys& keys) const;

    BinaryPropertyListLayout m_layout;
};

}
