#include "core/BinaryPropertyListLayout.h"

#include "core/PropertyListShape.h"

#include <bit>
#include <cstring>

namespace scriblo {

namespace {

constexpr size_t headerSize = 8;
constexpr size_t trailerSize = 32;

// Texts, data and containers may give a count too large for the marker's low bits.
bool hasCount(uint8_t kind)
{
    return kind == 0x4 || kind == 0x5 || kind == 0x6 || kind == 0xa || kind == 0xb || kind == 0xc || kind == 0xd;
}

}

Failure BinaryPropertyListLayout::damaged(const char* what)
{
    return Failure { std::string("damaged binary property list (") + what + ")" };
}

std::optional<uint64_t> BinaryPropertyListLayout::anywhere(size_t offset, size_t width) const
{
    if (offset > m_bytes.size() || width > m_bytes.size() - offset)
        return std::nullopt;
    // With eight bytes of room, as nearly every read has, one load does: a full store's
    // archive reads some fifteen million offsets and references.
    if (width > 0 && width <= 8 && m_bytes.size() - offset >= 8) {
        uint64_t word = 0;
        std::memcpy(&word, m_bytes.data() + offset, sizeof word);
        if constexpr (std::endian::native == std::endian::little)
            word = __builtin_bswap64(word);
        return word >> (64 - 8 * width);
    }
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value = (value << 8) | uint8_t(m_bytes[offset + i]);
    return value;
}

std::optional<uint64_t> BinaryPropertyListLayout::bigEndian(size_t offset, size_t width) const
{
    if (offset > m_offsetTable || width > m_offsetTable - offset)
        return std::nullopt;
    return anywhere(offset, width);
}

std::string_view BinaryPropertyListLayout::bytes(size_t offset, size_t length) const
{
    return m_bytes.substr(offset, length);
}

uint64_t BinaryPropertyListLayout::reference(size_t start, uint64_t slot) const
{
    return *anywhere(start + size_t(slot) * m_referenceSize, m_referenceSize);
}

Expected<BinaryPropertyListLayout> BinaryPropertyListLayout::read(std::string_view bytes)
{
    BinaryPropertyListLayout layout(bytes);
    if (bytes.size() < headerSize + 1 + trailerSize)
        return damaged("too short");
    size_t trailer = bytes.size() - trailerSize;
    layout.m_offsetSize = uint8_t(bytes[trailer + 6]);
    layout.m_referenceSize = uint8_t(bytes[trailer + 7]);
    layout.m_objectCount = *layout.anywhere(trailer + 8, 8);
    layout.m_topObject = *layout.anywhere(trailer + 16, 8);
    layout.m_offsetTable = *layout.anywhere(trailer + 24, 8);
    if (layout.m_offsetSize < 1 || layout.m_offsetSize > 8 || layout.m_referenceSize < 1 || layout.m_referenceSize > 8)
        return damaged("bad integer sizes in the trailer");
    if (layout.m_objectCount == 0 || layout.m_topObject >= layout.m_objectCount)
        return damaged("bad object count or top object");
    if (layout.m_objectCount > PropertyListShape::maximumNodeCount)
        return PropertyListShape::tooManyNodes();
    if (layout.m_offsetTable < headerSize + 1 || layout.m_offsetTable > trailer
        || layout.m_objectCount > (trailer - layout.m_offsetTable) / layout.m_offsetSize)
        return damaged("offset table outside the file");
    return layout;
}

// Containers also have room for all their references; other kinds are checked by the
// reader that takes their contents.
Expected<BinaryPropertyListLayout::Object> BinaryPropertyListLayout::object(uint64_t index) const
{
    if (index >= m_objectCount)
        return damaged("reference to a missing object");
    uint64_t offset = *anywhere(size_t(m_offsetTable + index * m_offsetSize), m_offsetSize);
    if (offset < headerSize || offset >= m_offsetTable)
        return damaged("object outside the object area");
    Object object { uint8_t(m_bytes[offset]), size_t(offset) + 1, uint8_t(m_bytes[offset]) & 0xfu };
    if (!hasCount(object.kind()))
        return object;
    if (object.count == 0xf) {
        // Longer lists give their length as an integer object of 1, 2, 4 or 8 bytes.
        uint8_t lengthMarker = object.start < m_offsetTable ? uint8_t(m_bytes[object.start]) : 0;
        size_t width = size_t(1) << (lengthMarker & 0xf);
        auto count = width <= 8 && lengthMarker >> 4 == 1 ? bigEndian(object.start + 1, width) : std::nullopt;
        if (!count)
            return damaged("bad list length");
        object.count = *count;
        object.start += 1 + width;
    }
    if (object.kind() < 0xa)
        return object;
    uint64_t room = object.start <= m_offsetTable ? (m_offsetTable - object.start) / m_referenceSize : 0;
    if (object.count > room / (object.kind() == 0xd ? 2 : 1))
        return damaged("list runs past the object area");
    return object;
}

}
