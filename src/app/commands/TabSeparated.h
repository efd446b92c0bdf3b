#pragma once

#include <string>
#include <string_view>

namespace scriblo {

// Fields of the commands' tab-separated output. Names and identities come from desktop
// entries, bookmarks, file names and archives made elsewhere, so any of them may hold a
// tab or a line break; escaped, every record stays one line of the same columns.
class TabSeparated {
public:
    // Tab, line feed, carriage return and backslash as \t, \n, \r and \\; every other
    // control character as \xHH (\x1B for escape), or \u00HH for those beyond ASCII.
    static std::string escaped(std::string_view field);
};

}
