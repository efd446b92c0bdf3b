#include "core/XmlLargeData.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string_view>

namespace scriblo {

namespace {

constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int8_t space = -1;
constexpr int8_t padding = -2;
constexpr int8_t foreign = -3;

// A character's six bits, or what else it is.
constexpr std::array<int8_t, 256> sextets = [] {
    std::array<int8_t, 256> table {};
    table.fill(foreign);
    for (size_t i = 0; i < alphabet.size(); ++i)
        table[uint8_t(alphabet[i])] = int8_t(i);
    for (char c : { ' ', '\t', '\n', '\r' })
        table[uint8_t(c)] = space;
    table['='] = padding;
    return table;
}();

// The same six bits already in their place for each of a group's four characters, and
// a bit beyond the group's 24 for a character that is none.
constexpr uint32_t notSextet = 1u << 24;
constexpr auto placed = [] {
    std::array<std::array<uint32_t, 256>, 4> tables {};
    for (size_t position = 0; position < 4; ++position)
        for (size_t c = 0; c < 256; ++c)
            tables[position][c] = sextets[c] < 0 ? notSextet : uint32_t(sextets[c]) << (18 - 6 * position);
    return tables;
}();

std::string encoded(const char* bytes, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size; i += 3) {
        uint32_t group = uint32_t(uint8_t(bytes[i])) << 16;
        if (i + 1 < size)
            group |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        if (i + 2 < size)
            group |= uint8_t(bytes[i + 2]);
        for (size_t sextet = 0; sextet < 4; ++sextet)
            text += sextet <= size - i ? alphabet[(group >> (18 - 6 * sextet)) & 63] : '=';
    }
    return text;
}

// Decodes into `out` base64 that libplist decodes alike: it skips white space and
// honours padding only in a last group, so anything else (a shortened group without
// padding, padding in the middle, characters it skips silently) is refused. Whole groups
// between line breaks go four characters at a time.
std::optional<size_t> decodePlain(std::string_view text, char* out)
{
    const auto* c = reinterpret_cast<const uint8_t*>(text.data());
    const size_t length = text.size();
    size_t written = 0;
    size_t pads = 0;
    uint32_t bits = 0;
    int held = 0;
    for (size_t i = 0; i < length;) {
        if (held == 0 && i + 4 <= length) {
            uint32_t group = placed[0][c[i]] | placed[1][c[i + 1]] | placed[2][c[i + 2]] | placed[3][c[i + 3]];
            if (!(group & notSextet)) {
                if (pads)
                    return std::nullopt;
                out[written++] = char(group >> 16);
                out[written++] = char(group >> 8);
                out[written++] = char(group);
                i += 4;
                continue;
            }
        }
        int8_t sextet = sextets[c[i++]];
        if (sextet == space)
            continue;
        if (sextet == foreign || (sextet >= 0 && pads))
            return std::nullopt;
        if (sextet == padding) {
            ++pads;
            continue;
        }
        bits = bits << 6 | uint32_t(sextet);
        if (++held == 4) {
            out[written++] = char(bits >> 16);
            out[written++] = char(bits >> 8);
            out[written++] = char(bits);
            bits = 0;
            held = 0;
        }
    }
    if (held + pads != 0 && held + pads != 4)
        return std::nullopt;
    if (held == 3) {
        out[written++] = char(bits >> 10);
        out[written++] = char(bits >> 2);
    } else if (held == 2) {
        out[written++] = char(bits >> 4);
    } else if (held == 1 || written == 0) {
        return std::nullopt;
    }
    return written;
}

}

XmlLargeData::XmlLargeData()
{
    std::random_device entropy;
    for (char& c : m_mark)
        c = char(entropy());
}

std::optional<XmlLargeData> XmlLargeData::takeOut(const std::string& text, const std::vector<PropertyListShape::TextSpan>& spans)
{
    XmlLargeData taken;
    size_t copied = 0;
    for (const auto& span : spans) {
        Value value { std::make_unique_for_overwrite<char[]>(span.length / 4 * 3 + 3), 0 };
        auto size = decodePlain(std::string_view(text).substr(span.offset, span.length), value.bytes.get());
        if (!size)
            continue;
        value.size = *size;
        auto mark = taken.placeholder(uint32_t(taken.m_values.size()));
        taken.m_text.append(text, copied, span.offset - copied);
        taken.m_text += encoded(mark.data(), mark.size());
        copied = span.offset + span.length;
        taken.m_values.push_back(std::move(value));
    }
    if (taken.m_values.empty())
        return std::nullopt;
    taken.m_text.append(text, copied);
    return taken;
}

XmlLargeData::Placeholder XmlLargeData::placeholder(uint32_t index) const
{
    Placeholder bytes {};
    std::memcpy(bytes.data(), m_mark.data(), m_mark.size());
    std::memcpy(bytes.data() + m_mark.size(), &index, sizeof index);
    return bytes;
}

std::optional<uint32_t> XmlLargeData::indexOf(plist_t node) const
{
    if (plist_get_node_type(node) != PLIST_DATA)
        return std::nullopt;
    uint64_t length = 0;
    const char* bytes = plist_get_data_ptr(node, &length);
    if (length != sizeof(Placeholder) || std::memcmp(bytes, m_mark.data(), m_mark.size()) != 0)
        return std::nullopt;
    uint32_t index = 0;
    std::memcpy(&index, bytes + m_mark.size(), sizeof index);
    return index < m_values.size() ? std::optional(index) : std::nullopt;
}

bool XmlLargeData::putBack(plist_t root, std::string& original) const
{
    if (plist_get_node_type(root) != PLIST_DICT)
        return false;
    std::vector<plist_t> places(m_values.size(), nullptr);
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(root, &iterator);
    for (;;) {
        plist_t value = nullptr;
        plist_dict_next_item(root, iterator, nullptr, &value);
        if (!value)
            break;
        if (auto index = indexOf(value))
            places[*index] = value;
    }
    std::free(iterator);
    if (std::find(places.begin(), places.end(), nullptr) != places.end())
        return false;
    std::string().swap(original);
    for (size_t i = 0; i < m_values.size(); ++i)
        plist_set_data_val(places[i], m_values[i].bytes.get(), m_values[i].size);
    return true;
}

}
