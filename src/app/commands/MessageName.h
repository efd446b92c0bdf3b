#pragma once

#include <string>
#include <string_view>

namespace scriblo {

// A name or identity as a message line quotes it: escaped as the lists escape fields,
// and, past a screenful, cut in the middle, where a path or an address says least.
class MessageName {
public:
    static constexpr size_t longest = 120;

    static std::string of(std::string_view name);
};

}
