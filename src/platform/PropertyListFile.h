#pragma once

#include "base/Expected.h"
#include "core/PlistPointer.h"
#include "platform/FileStamp.h"

#include <filesystem>
#include <optional>
#include <string>

namespace scriblo {

// One version of the preferences file as it was read: its settings and its stamp.
struct PropertyListFile {
    // Always a dictionary: empty for a missing or damaged file.
    PlistPointer root;
    FileStamp stamp;
    // The bytes of a file that was read but holds no dictionary of settings, kept so the
    // first write can save them before replacing the file.
    std::optional<std::string> damagedBytes;

    // Only a file that was read counts as damaged; one that could not be read (no
    // permission, an I/O error, a folder, too large) is a failure, never an empty store.
    static Expected<PropertyListFile> read(const std::filesystem::path& path, size_t limit);
    // Writes `root` as XML through SafeFile::writeAtomically; the new file's stamp.
    static Expected<FileStamp> write(const std::filesystem::path& path, plist_t root);
};

}
