#include "core/BinaryPropertyListWriter.h"

#include <algorithm>
#include <cstring>

namespace scriblo {

namespace {

// The fewest bytes of 1, 2, 4 or 8 that hold `value`.
size_t byteCount(uint64_t value)
{
    if (value <= 0xFF)
        return 1;
    if (value <= 0xFFFF)
        return 2;
    if (value <= 0xFFFFFFFF)
        return 4;
    return 8;
}

size_t log2OfByteCount(size_t count)
{
    return count == 1 ? 0 : count == 2 ? 1 : count == 4 ? 2 : 3;
}

void writeBigEndian(Data& out, uint64_t value, size_t count)
{
    for (size_t i = count; i-- > 0;)
        out.push_back(uint8_t(value >> (8 * i)));
}

// Values from 2^63 up are negative numbers in two's complement, which take the 8-byte
// form, the one that readers take as signed.
void writeInteger(Data& out, uint64_t value)
{
    size_t count = byteCount(value);
    out.push_back(uint8_t(0x10 | log2OfByteCount(count)));
    writeBigEndian(out, value, count);
}

// A count below 15 fits in the marker's low bits; a larger one follows as an integer.
void writeMarker(Data& out, uint8_t kind, uint64_t count)
{
    if (count < 15) {
        out.push_back(uint8_t(kind | count));
        return;
    }
    out.push_back(uint8_t(kind | 0x0F));
    writeInteger(out, count);
}

void writeReal(Data& out, double value)
{
    auto narrow = float(value);
    if (double(narrow) == value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &narrow, sizeof bits);
        out.push_back(0x22);
        writeBigEndian(out, bits, 4);
        return;
    }
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    out.push_back(0x23);
    writeBigEndian(out, bits, 8);
}

// Texts are valid UTF-8 (the gesture store refuses others); non-ASCII ones are stored
// as UTF-16, big-endian.
std::vector<uint16_t> utf16(const std::string& text)
{
    std::vector<uint16_t> units;
    for (size_t i = 0; i < text.size();) {
        auto lead = uint8_t(text[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            code = code << 6 | (uint8_t(text[i + k]) & 0x3F);
        if (code >= 0x10000) {
            units.push_back(uint16_t(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(uint16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(uint16_t(code));
        }
        i += length;
    }
    return units;
}

void writeText(Data& out, const std::string& text)
{
    bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return uint8_t(c) < 0x80; });
    if (ascii) {
        writeMarker(out, 0x50, text.size());
        out.insert(out.end(), text.begin(), text.end());
        return;
    }
    auto units = utf16(text);
    writeMarker(out, 0x60, units.size());
    for (uint16_t unit : units)
        writeBigEndian(out, unit, 2);
}

}

BinaryPropertyListWriter::BinaryPropertyListWriter(size_t expectedObjects, size_t expectedBytes)
    : m_out { 'b', 'p', 'l', 'i', 's', 't', '0', '0' }
{
    m_out.reserve(expectedBytes);
    m_offsets.reserve(expectedObjects);
    m_references.reserve(expectedObjects);
}

uint64_t BinaryPropertyListWriter::startObject()
{
    m_offsets.push_back(uint32_t(m_out.size()));
    return m_offsets.size() - 1;
}

uint64_t BinaryPropertyListWriter::text(std::string_view text)
{
    if (auto found = m_texts.find(text); found != m_texts.end())
        return found->second;
    auto added = m_texts.emplace(std::string(text), m_offsets.size()).first;
    uint64_t object = startObject();
    writeText(m_out, added->first);
    return object;
}

uint64_t BinaryPropertyListWriter::integer(uint64_t value)
{
    uint64_t object = startObject();
    writeInteger(m_out, value);
    return object;
}

uint64_t BinaryPropertyListWriter::real(double value)
{
    uint64_t object = startObject();
    writeReal(m_out, value);
    return object;
}

uint64_t BinaryPropertyListWriter::uid(uint64_t value)
{
    uint64_t object = startObject();
    size_t count = byteCount(value);
    m_out.push_back(uint8_t(0x80 | (count - 1)));
    writeBigEndian(m_out, value, count);
    return object;
}

uint64_t BinaryPropertyListWriter::array(std::span<const uint64_t> items)
{
    return addContainer(0xA0, items.size(), items);
}

uint64_t BinaryPropertyListWriter::dictionary(std::span<const uint64_t> keys, std::span<const uint64_t> values)
{
    uint64_t object = addContainer(0xD0, keys.size(), keys);
    m_references.insert(m_references.end(), values.begin(), values.end());
    return object;
}

uint64_t BinaryPropertyListWriter::addContainer(uint8_t marker, uint64_t count, std::span<const uint64_t> references)
{
    // Its offset is set when it is written, after every value.
    m_offsets.push_back(0);
    m_containers.push_back({ m_offsets.size() - 1, marker, count, m_references.size() });
    m_references.insert(m_references.end(), references.begin(), references.end());
    return m_offsets.size() - 1;
}

// Millions of references: written straight into room made for all of a container's.
void BinaryPropertyListWriter::writeReferences(const Container& container, size_t referenceSize)
{
    size_t count = container.marker == 0xD0 ? 2 * container.count : container.count;
    size_t at = m_out.size();
    m_out.resize(at + count * referenceSize);
    uint8_t* out = m_out.data() + at;
    for (size_t i = 0; i < count; ++i) {
        uint32_t reference = m_references[container.firstReference + i];
        for (size_t byte = referenceSize; byte-- > 0;)
            *out++ = uint8_t(uint64_t(reference) >> (8 * byte));
    }
}

Data BinaryPropertyListWriter::finish(uint64_t top)
{
    size_t referenceSize = byteCount(m_offsets.size());
    for (const Container& container : m_containers) {
        m_offsets[container.object] = uint32_t(m_out.size());
        writeMarker(m_out, container.marker, container.count);
        writeReferences(container, referenceSize);
    }
    uint64_t tableOffset = m_out.size();
    size_t offsetSize = byteCount(tableOffset);
    for (uint64_t offset : m_offsets)
        writeBigEndian(m_out, offset, offsetSize);
    m_out.insert(m_out.end(), 6, 0);
    m_out.push_back(uint8_t(offsetSize));
    m_out.push_back(uint8_t(referenceSize));
    writeBigEndian(m_out, m_offsets.size(), 8);
    writeBigEndian(m_out, top, 8);
    writeBigEndian(m_out, tableOffset, 8);
    return std::move(m_out);
}

}
