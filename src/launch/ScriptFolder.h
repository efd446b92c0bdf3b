#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace scriblo::ScriptFolder {

// The executable regular files directly in a folder (symbolic links to them count),
// without hidden files and without anything in subfolders. A missing or unreadable
// folder has none.
std::vector<std::filesystem::path> programs(const std::filesystem::path& folder);

// Makes the folder and its missing parents. Returns why that failed, or nothing when
// the folder is there.
std::optional<std::string> ensureFolder(const std::filesystem::path& folder);

// What the user sees: the file name without its last extension.
std::string displayName(const std::filesystem::path& file);

// The icon-theme name of the file's type.
std::string iconForFile(const std::filesystem::path& file);

}
