#include "core/Utf8.h"

#include <cstdint>

namespace scriblo {

namespace {

// The number of bytes a sequence starting with `lead` takes, or 0 for a byte that cannot
// start one (a continuation byte, an overlong two-byte lead, or a lead beyond U+10FFFF).
size_t sequenceLength(uint8_t lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The narrower range some leads allow for their second byte rules out overlong three-
// and four-byte forms, surrogates and code points past U+10FFFF.
bool isValidSecondByte(uint8_t lead, uint8_t second)
{
    uint8_t lowest = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    uint8_t highest = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    return second >= lowest && second <= highest;
}

bool isContinuation(uint8_t byte)
{
    return (byte & 0xC0) == 0x80;
}

}

bool isValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        auto lead = uint8_t(text[i]);
        size_t length = sequenceLength(lead);
        if (length == 0 || text.size() - i < length)
            return false;
        if (length > 1 && !isValidSecondByte(lead, uint8_t(text[i + 1])))
            return false;
        for (size_t k = 2; k < length; ++k) {
            if (!isContinuation(uint8_t(text[i + k])))
                return false;
        }
        i += length;
    }
    return true;
}

}
