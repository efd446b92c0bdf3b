#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace scriblo {

// File access that never leaves a half-written file behind.
class SafeFile {
public:
    // The whole file, or nothing when it does not exist or cannot be read.
    static std::optional<std::string> read(const std::filesystem::path& path);
    // Writes a temporary file beside `path`, syncs it, renames it over `path` and syncs
    // the folder; missing folders are created. False when any step failed, in which case
    // `path` is untouched.
    static bool writeAtomically(const std::filesystem::path& path, const std::string& bytes);
    // The current UTC time as 20261207T013000Z, for names of backup files.
    static std::string timestamp();
};

}
