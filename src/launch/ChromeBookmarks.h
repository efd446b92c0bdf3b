#pragma once

#include "base/Expected.h"
#include "launch/Bookmark.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace scriblo::ChromeBookmarks {

// The links directly on the bookmarks bar of a Chrome-family `Bookmarks` file, in file
// order; folders on the bar are skipped, not entered, and so is any entry without a
// text name and address. A missing file, or one without a bookmarks bar, gives no
// links; one that cannot be read or is not JSON gives a failure saying why.
Expected<std::vector<Bookmark>> read(const std::filesystem::path& file);
// The same, from the file's bytes.
Expected<std::vector<Bookmark>> parse(std::string_view text);

}
