#pragma once

#include <string>

namespace scriblo {

// One link of a browser's bookmarks bar, exactly as the browser stored it.
struct Bookmark {
    std::string name;
    std::string url;

    bool operator==(const Bookmark&) const = default;
};

}
