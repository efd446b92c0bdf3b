#pragma once

#include "base/Expected.h"
#include "launch/Bookmark.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace scriblo::FirefoxBookmarks {

// The profile folder that Firefox starts with, from `profiles.ini` in `firefoxFolder`
// (usually ~/.mozilla/firefox): the installation's default when one is recorded, else
// the profile marked Default=1, else the only profile. Nothing when Firefox has no
// profiles file or it names no profile; a failure when the file cannot be read.
Expected<std::optional<std::filesystem::path>> defaultProfile(const std::filesystem::path& firefoxFolder);
// The same from the text of a `profiles.ini` in `firefoxFolder`.
std::optional<std::filesystem::path> profileFromIni(std::string_view text, const std::filesystem::path& firefoxFolder);

// The links directly on the bookmarks toolbar of a `places.sqlite`, in toolbar order;
// folders and separators are skipped. A running Firefox's live files and locks are
// never touched: the database is opened read-only and immutable, or, when it has a
// write-ahead log holding recent changes, a private copy of both is read. A missing or
// unreadable database gives no links at all; anything but a regular file is a failure.
Expected<std::vector<Bookmark>> read(const std::filesystem::path& placesFile);

}
