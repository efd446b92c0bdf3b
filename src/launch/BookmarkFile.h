#pragma once

#include "base/Expected.h"
#include "launch/Bookmark.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace scriblo::BookmarkFile {

// Real bookmarks files stay well under this; a link to /dev/zero does not.
constexpr size_t maximumSize = size_t(64) << 20;

using Parser = Expected<std::vector<Bookmark>> (*)(std::string_view bytes);

// Reads another program's bookmarks file without blocking and within the size cap, and
// hands its bytes to `parse`. A missing file holds no links; a FIFO, a device or an
// unreadable file is a failure saying why.
Expected<std::vector<Bookmark>> read(const std::filesystem::path& file, Parser parse);

}
