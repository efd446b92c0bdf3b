#pragma once

#include "launch/Bookmark.h"

#include <filesystem>
#include <vector>

namespace scriblo::SafariBookmarks {

// The links directly in the "BookmarksBar" child of a Safari `Bookmarks.plist`, XML or
// binary, in file order; anything without a title or an address (folders among them)
// is skipped. A missing, unreadable or malformed file gives no links at all.
std::vector<Bookmark> read(const std::filesystem::path& file);

}
