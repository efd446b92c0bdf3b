#pragma once

#include "base/Expected.h"

#include <filesystem>

namespace scriblo {

// An exclusive flock on a file of its own, held until the object goes; the kernel drops
// it when a holder dies, so a killed writer never leaves the others waiting. The lock
// file itself stays: removing it while another process waits on it would let a third
// process lock a new file and write alongside the waiter.
class FileLock {
public:
    // Waits for the lock; missing folders are created.
    static Expected<FileLock> acquire(const std::filesystem::path& path);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) = delete;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int descriptor) : m_descriptor(descriptor) { }

    int m_descriptor;
};

}
