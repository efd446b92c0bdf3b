#pragma once

#include "base/Expected.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace scriblo::ScriptFolder {

// The executable regular files directly in a folder (symbolic links to them count),
// without hidden files and without anything in subfolders. A missing or unreadable
// folder has none.
std::vector<std::filesystem::path> programs(const std::filesystem::path& folder);

// Makes the folder and its missing parents; fails, saying why, when it is not there after.
Expected<Done> ensureFolder(const std::filesystem::path& folder);

// What the user sees: the file name without its last extension.
std::string displayName(const std::filesystem::path& file);

// The icon-theme name of the file's type.
std::string iconForFile(const std::filesystem::path& file);

}
