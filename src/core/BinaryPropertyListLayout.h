#pragma once

#include "base/Expected.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace scriblo {

// The fixed frame of "bplist00" bytes: the trailer, the offset table, and where each
// object's marker and contents lie. Every offset and length is checked against the
// object area, so readers built on it never touch a byte outside the input.
class BinaryPropertyListLayout {
public:
    // An object's marker, the first byte of its contents, and its count: entries of an
    // array, dictionary or text, bytes of data; for other kinds the marker's low bits.
    struct Object {
        uint8_t marker = 0;
        size_t start = 0;
        uint64_t count = 0;

        uint8_t kind() const { return marker >> 4; }
    };

    static Expected<BinaryPropertyListLayout> read(std::string_view bytes);

    uint64_t objectCount() const { return m_objectCount; }
    uint64_t topObject() const { return m_topObject; }
    size_t referenceSize() const { return m_referenceSize; }
    // Objects lie between the header and the offset table.
    uint64_t objectAreaEnd() const { return m_offsetTable; }

    Expected<Object> object(uint64_t index) const;
    // `width` bytes from `offset`, big-endian; nothing when they leave the object area.
    std::optional<uint64_t> bigEndian(size_t offset, size_t width) const;
    std::string_view bytes(size_t offset, size_t length) const;
    // The index stored at reference slot `slot` of a container that starts at `start`.
    uint64_t reference(size_t start, uint64_t slot) const;

    static Failure damaged(const char* what);

private:
    explicit BinaryPropertyListLayout(std::string_view bytes) : m_bytes(bytes) { }
    std::optional<uint64_t> anywhere(size_t offset, size_t width) const;

    std::string_view m_bytes;
    size_t m_offsetSize = 0;
    size_t m_referenceSize = 0;
    uint64_t m_objectCount = 0;
    uint64_t m_topObject = 0;
    uint64_t m_offsetTable = 0;
};

}
