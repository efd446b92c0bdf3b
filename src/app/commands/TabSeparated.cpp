#include "app/commands/TabSeparated.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace scriblo {

namespace {

std::string hex(const char* prefix, unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%s%02X", prefix, value);
    return text;
}

}

std::string TabSeparated::escaped(std::string_view field)
{
    // Most fields need nothing; a conflicts list of a full store is gigabytes of them.
    bool plain = std::none_of(field.begin(), field.end(), [](char c) {
        auto byte = uint8_t(c);
        return byte < 0x20 || byte == 0x7F || byte == '\\' || byte == 0xC2;
    });
    if (plain)
        return std::string(field);
    std::string result;
    result.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        auto byte = uint8_t(field[i]);
        switch (byte) {
        case '\t': result += "\\t"; break;
        case '\n': result += "\\n"; break;
        case '\r': result += "\\r"; break;
        case '\\': result += "\\\\"; break;
        default:
            // A terminal acts on control characters: an identity from a shared file must
            // not move the cursor, retitle the window or hide the next field.
            if (byte < 0x20 || byte == 0x7F)
                result += hex("\\x", byte);
            else if (byte == 0xC2 && i + 1 < field.size() && uint8_t(field[i + 1]) >= 0x80 && uint8_t(field[i + 1]) <= 0x9F)
                result += hex("\\u00", uint8_t(field[++i]));
            else
                result += char(byte);
        }
    }
    return result;
}

}
