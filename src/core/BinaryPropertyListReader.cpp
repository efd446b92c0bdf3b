#include "core/BinaryPropertyListReader.h"

#include <algorithm>
#include <cstring>

namespace scriblo {

namespace {

constexpr uint8_t integerKind = 0x1;
constexpr uint8_t realKind = 0x2;
constexpr uint8_t asciiKind = 0x5;
constexpr uint8_t utf16Kind = 0x6;
constexpr uint8_t uidKind = 0x8;
constexpr uint8_t arrayKind = 0xa;
constexpr uint8_t dictionaryKind = 0xd;

void appendUtf8(std::string& text, uint32_t code)
{
    if (code < 0x80) {
        text += char(code);
    } else if (code < 0x800) {
        text += char(0xC0 | code >> 6);
        text += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += char(0xE0 | code >> 12);
        text += char(0x80 | (code >> 6 & 0x3F));
        text += char(0x80 | (code & 0x3F));
    } else {
        text += char(0xF0 | code >> 18);
        text += char(0x80 | (code >> 12 & 0x3F));
        text += char(0x80 | (code >> 6 & 0x3F));
        text += char(0x80 | (code & 0x3F));
    }
}

bool isHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool isLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

std::optional<std::string> utf8FromUtf16(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    auto unitAt = [&](size_t i) { return uint32_t(uint8_t(bytes[2 * i])) << 8 | uint8_t(bytes[2 * i + 1]); };
    size_t count = bytes.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        uint32_t unit = unitAt(i);
        if (isHighSurrogate(unit) && i + 1 < count && isLowSurrogate(unitAt(i + 1))) {
            appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(++i) - 0xDC00));
            continue;
        }
        if (isHighSurrogate(unit) || isLowSurrogate(unit))
            return std::nullopt;
        appendUtf8(text, unit);
    }
    return text;
}

}

Expected<BinaryPropertyListReader> BinaryPropertyListReader::open(std::string_view bytes)
{
    if (!bytes.starts_with("bplist00"))
        return Failure { "not a binary property list" };
    auto layout = BinaryPropertyListLayout::read(bytes);
    if (!layout)
        return Failure { layout.error() };
    return BinaryPropertyListReader(*layout);
}

std::optional<BinaryPropertyListLayout::Object> BinaryPropertyListReader::objectOfKind(uint64_t object, uint8_t kind) const
{
    auto found = m_layout.object(object);
    if (!found || found->kind() != kind)
        return std::nullopt;
    return *found;
}

bool BinaryPropertyListReader::isDictionary(uint64_t object) const
{
    return objectOfKind(object, dictionaryKind).has_value();
}

bool BinaryPropertyListReader::isArray(uint64_t object) const
{
    return objectOfKind(object, arrayKind).has_value();
}

std::optional<int64_t> BinaryPropertyListReader::integer(uint64_t object) const
{
    auto found = objectOfKind(object, integerKind);
    if (!found || found->count > 3)
        return std::nullopt;
    auto value = m_layout.bigEndian(found->start, size_t(1) << found->count);
    if (!value)
        return std::nullopt;
    return int64_t(*value);
}

std::optional<double> BinaryPropertyListReader::real(uint64_t object) const
{
    auto found = objectOfKind(object, realKind);
    if (!found || (found->count != 2 && found->count != 3))
        return std::nullopt;
    auto bits = m_layout.bigEndian(found->start, size_t(1) << found->count);
    if (!bits)
        return std::nullopt;
    if (found->count == 3) {
        double value = 0;
        std::memcpy(&value, &*bits, sizeof value);
        return value;
    }
    auto narrow = uint32_t(*bits);
    float value = 0;
    std::memcpy(&value, &narrow, sizeof value);
    return double(value);
}

std::optional<uint64_t> BinaryPropertyListReader::uid(uint64_t object) const
{
    auto found = objectOfKind(object, uidKind);
    if (!found || found->count > 7)
        return std::nullopt;
    return m_layout.bigEndian(found->start, size_t(found->count) + 1);
}

std::optional<std::string> BinaryPropertyListReader::text(uint64_t object) const
{
    auto found = m_layout.object(object);
    if (!found || (found->kind() != asciiKind && found->kind() != utf16Kind))
        return std::nullopt;
    uint64_t unitSize = found->kind() == utf16Kind ? 2 : 1;
    if (found->count > (m_layout.objectAreaEnd() - found->start) / unitSize)
        return std::nullopt;
    std::string_view bytes = m_layout.bytes(found->start, size_t(found->count * unitSize));
    if (found->kind() == utf16Kind)
        return utf8FromUtf16(bytes);
    return std::string(bytes);
}

bool BinaryPropertyListReader::isText(uint64_t object, std::string_view expected) const
{
    // Keys are almost always ASCII, which compares where it lies.
    auto found = m_layout.object(object);
    if (found && found->kind() == asciiKind) {
        return found->count == expected.size() && found->count <= m_layout.objectAreaEnd() - found->start
            && m_layout.bytes(found->start, expected.size()) == expected;
    }
    auto decoded = text(object);
    return decoded && *decoded == expected;
}

std::optional<std::vector<uint64_t>> BinaryPropertyListReader::references(uint64_t object, uint8_t kind, uint64_t perEntry, uint64_t limit) const
{
    auto found = objectOfKind(object, kind);
    if (!found || found->count > limit)
        return std::nullopt;
    std::vector<uint64_t> items(size_t(found->count * perEntry));
    for (size_t i = 0; i < items.size(); ++i)
        items[i] = m_layout.reference(found->start, i);
    return items;
}

std::optional<std::vector<uint64_t>> BinaryPropertyListReader::arrayItems(uint64_t object, uint64_t limit) const
{
    return references(object, arrayKind, 1, limit);
}

std::optional<uint64_t> BinaryPropertyListReader::valueForKey(uint64_t dictionary, std::string_view key) const
{
    std::optional<uint64_t> value;
    valuesForKeys(dictionary, Keys { key }, std::span(&value, 1));
    return value;
}

BinaryPropertyListReader::Keys::Keys(std::initializer_list<std::string_view> names)
    : m_count(std::min(names.size(), maximumCount))
{
    std::copy_n(names.begin(), m_count, m_names.begin());
}

size_t BinaryPropertyListReader::whichKey(uint64_t object, const Keys& keys) const
{
    for (size_t i = 0; i < keys.m_knownCount; ++i)
        if (keys.m_known[i].first == object)
            return keys.m_known[i].second;
    size_t which = 0;
    while (which < keys.size() && !isText(object, keys.m_names[which]))
        ++which;
    if (keys.m_knownCount < keys.m_known.size())
        keys.m_known[keys.m_knownCount++] = { object, which };
    return which;
}

bool BinaryPropertyListReader::valuesForKeys(uint64_t dictionary, const Keys& keys, std::span<std::optional<uint64_t>> values) const
{
    std::fill(values.begin(), values.end(), std::nullopt);
    auto found = objectOfKind(dictionary, dictionaryKind);
    if (!found)
        return false;
    size_t missing = keys.size();
    for (uint64_t i = 0; i < found->count && missing > 0; ++i) {
        size_t which = whichKey(m_layout.reference(found->start, i), keys);
        if (which < keys.size() && !values[which]) {
            values[which] = m_layout.reference(found->start, found->count + i);
            --missing;
        }
    }
    return true;
}

}
