#include "app/commands/MessageName.h"

#include "app/commands/TabSeparated.h"

#include <cstdint>

namespace scriblo {

namespace {

// Moves `at` back to the start of the UTF-8 sequence it falls in.
size_t characterStart(std::string_view text, size_t at)
{
    while (at > 0 && at < text.size() && (uint8_t(text[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

}

std::string MessageName::of(std::string_view name)
{
    std::string escaped = TabSeparated::escaped(name);
    if (escaped.size() <= longest)
        return escaped;
    std::string_view text(escaped);
    size_t half = longest / 2;
    size_t headEnd = characterStart(text, half);
    size_t tailStart = characterStart(text, text.size() - half);
    return std::string(text.substr(0, headEnd)) + "…" + std::string(text.substr(tailStart)) + " ("
        + std::to_string(name.size()) + " bytes)";
}

}
