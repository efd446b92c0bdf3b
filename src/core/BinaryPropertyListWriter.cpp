#include "core/BinaryPropertyListWriter.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
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

Data BinaryPropertyListWriter::write(plist_t root)
{
    BinaryPropertyListWriter writer;
    writer.add(root);
    writer.m_referenceSize = byteCount(writer.m_objects.size());
    return writer.bytes();
}

// Objects are numbered depth first, each before its contents, so the root is object 0.
uint64_t BinaryPropertyListWriter::add(plist_t node)
{
    plist_type type = plist_get_node_type(node);
    if (type == PLIST_STRING) {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return addText(std::string(text, length));
    }
    uint64_t index = m_objects.size();
    m_objects.push_back({ node, {}, {} });
    std::vector<uint64_t> references;
    if (type == PLIST_ARRAY) {
        plist_array_iter iterator = nullptr;
        plist_array_new_iter(node, &iterator);
        for (plist_t item = nullptr; plist_array_next_item(node, iterator, &item), item;)
            references.push_back(add(item));
        std::free(iterator);
    } else if (type == PLIST_DICT) {
        std::vector<uint64_t> values;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        for (;;) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iterator, &key, &value);
            if (!key)
                break;
            references.push_back(addText(key));
            std::free(key);
            values.push_back(add(value));
        }
        std::free(iterator);
        references.insert(references.end(), values.begin(), values.end());
    }
    m_objects[index].references = std::move(references);
    return index;
}

uint64_t BinaryPropertyListWriter::addText(std::string text)
{
    auto found = m_texts.find(text);
    if (found != m_texts.end())
        return found->second;
    uint64_t index = m_objects.size();
    m_texts.emplace(text, index);
    m_objects.push_back({ nullptr, std::move(text), {} });
    return index;
}

Data BinaryPropertyListWriter::bytes() const
{
    Data out { 'b', 'p', 'l', 'i', 's', 't', '0', '0' };
    std::vector<uint64_t> offsets;
    offsets.reserve(m_objects.size());
    for (const auto& object : m_objects) {
        offsets.push_back(out.size());
        writeObject(out, object);
    }
    uint64_t tableOffset = out.size();
    size_t offsetSize = byteCount(tableOffset);
    for (uint64_t offset : offsets)
        writeBigEndian(out, offset, offsetSize);
    out.insert(out.end(), 6, 0);
    out.push_back(uint8_t(offsetSize));
    out.push_back(uint8_t(m_referenceSize));
    writeBigEndian(out, m_objects.size(), 8);
    writeBigEndian(out, 0, 8);
    writeBigEndian(out, tableOffset, 8);
    return out;
}

void BinaryPropertyListWriter::writeObject(Data& out, const Object& object) const
{
    if (!object.node) {
        writeText(out, object.text);
        return;
    }
    switch (plist_get_node_type(object.node)) {
    case PLIST_DICT:
        writeMarker(out, 0xD0, object.references.size() / 2);
        writeReferences(out, object.references);
        return;
    case PLIST_ARRAY:
        writeMarker(out, 0xA0, object.references.size());
        writeReferences(out, object.references);
        return;
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(object.node, &value);
        writeInteger(out, value);
        return;
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(object.node, &value);
        writeReal(out, value);
        return;
    }
    case PLIST_UID: {
        uint64_t value = 0;
        plist_get_uid_val(object.node, &value);
        size_t count = byteCount(value);
        out.push_back(uint8_t(0x80 | (count - 1)));
        writeBigEndian(out, value, count);
        return;
    }
    default:
        assert(!"a node kind that archives do not hold");
    }
}

void BinaryPropertyListWriter::writeReferences(Data& out, const std::vector<uint64_t>& references) const
{
    for (uint64_t reference : references)
        writeBigEndian(out, reference, m_referenceSize);
}

}
