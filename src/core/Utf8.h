#pragma once

#include <string_view>

namespace scriblo {

// Whether text is well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates and nothing beyond U+10FFFF. Texts from archives made elsewhere must pass
// before they reach a JSON writer or a terminal.
bool isValidUtf8(std::string_view text);

}
