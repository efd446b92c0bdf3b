#pragma once

#include "base/Expected.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace scriblo {

// File access that never leaves a half-written file behind.
class SafeFile {
public:
    // Files from outside may be FIFOs, devices or links to /dev/zero: only a regular file
    // of at most `limit` bytes is read, and opening never blocks. A failure says why in
    // words for the user ("permission denied", "is a folder", "larger than 64 MiB").
    static Expected<std::string> read(const std::filesystem::path& path, size_t limit);
    // The same, but a file that does not exist is an expected absence, not a failure.
    static Expected<std::optional<std::string>> readIfExists(const std::filesystem::path& path, size_t limit);
    // Writes a temporary file beside `path`, syncs it, renames it over `path` and syncs
    // the folder; missing folders are created. When any step fails, `path` is untouched
    // and the failure says which step and why ("No space left on device").
    // Who may read the file: the store and its copies are the user's alone, while a
    // document the user asked for gets the permissions the user's umask gives any new file.
    enum class Readers { Owner, AsUmaskAllows };
    static Expected<Done> writeAtomically(const std::filesystem::path& path, std::string_view bytes,
                                          Readers readers = Readers::Owner);
    // Removes the temporary files that writeAtomically(path, …) left when its process was
    // killed mid-write. Only safe while every writer of `path` is held off by a lock.
    static void removeLeftoverTemporaries(const std::filesystem::path& path);
    // The file a chain of links ends at, even when that file does not exist yet; `path`
    // itself when it is no link. Writing there keeps the user's link a link.
    static std::filesystem::path finalTarget(const std::filesystem::path& path);
    // The current UTC time as 20261207T013000Z, for names of backup files.
    static std::string timestamp();
};

}
