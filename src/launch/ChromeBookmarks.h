#pragma once

#include "launch/Bookmark.h"

#include <filesystem>
#include <vector>

namespace scriblo::ChromeBookmarks {

// The links directly on the bookmarks bar of a Chrome-family `Bookmarks` file, in file
// order; folders on the bar are skipped, not entered. A missing, unreadable or
// malformed file gives no links at all.
std::vector<Bookmark> read(const std::filesystem::path& file);

}
