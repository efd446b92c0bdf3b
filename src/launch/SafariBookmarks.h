#pragma once

#include "base/Expected.h"
#include "launch/Bookmark.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace scriblo::SafariBookmarks {

// The links directly in the "BookmarksBar" child of a Safari `Bookmarks.plist`, XML or
// binary, in file order; anything without a title or an address (folders among them)
// is skipped on its own. A missing file, or one without a bar, gives no links; one that
// cannot be read or is not a property list gives a failure saying why.
Expected<std::vector<Bookmark>> read(const std::filesystem::path& file);
// The same, from the file's bytes.
Expected<std::vector<Bookmark>> parse(std::string_view bytes);

}
