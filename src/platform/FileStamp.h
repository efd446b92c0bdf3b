#pragma once

#include <cstdint>
#include <filesystem>

namespace scriblo {

// A cheap fingerprint of one version of a file. A replacement by rename changes the
// inode; a write in place changes the size or the modification time, which is kept to
// the nanosecond because two saves within one second are common.
struct FileStamp {
    bool exists { false };
    uint64_t device { 0 };
    uint64_t inode { 0 };
    int64_t size { 0 };
    int64_t modifiedSeconds { 0 };
    int64_t modifiedNanoseconds { 0 };

    // Follows links, since what matters is the file a reader would open.
    static FileStamp of(const std::filesystem::path& path);

    bool operator==(const FileStamp&) const = default;
};

}
