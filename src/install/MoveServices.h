#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace scriblo {

// How a copy made with an administrator's authorization ended.
enum class AuthorizedCopy { Copied, Cancelled, Failed };

// The desktop services that moving the program into an Applications folder needs, so
// that every step can be tried without a password prompt, a Trash or other processes.
class MoveServices {
public:
    virtual ~MoveServices() = default;

    virtual bool isWritable(const std::filesystem::path& path) = 0;
    // The device of the image file the folder is mounted from, or none when the folder
    // is not on a mounted image.
    virtual std::optional<std::string> diskImageDevice(const std::filesystem::path& folder) = 0;
    // Writes "ERROR -- Could not trash '…'" itself when that fails.
    virtual bool trash(const std::filesystem::path& path) = 0;
    // Removes whatever is at `destination`, then copies `source` there, as the administrator.
    virtual AuthorizedCopy copyWithAuthorization(const std::filesystem::path& source, const std::filesystem::path& destination) = 0;
    // Whether a process runs the program at `destination`.
    virtual bool isRunning(const std::filesystem::path& destination) = 0;
    // Starts the program at `destination` now.
    virtual void open(const std::filesystem::path& destination) = 0;
    // Starts the program at `destination` once this process has ended.
    virtual void relaunchAfterExit(const std::filesystem::path& destination) = 0;
    // Detaches the image that `device` belongs to a few seconds from now.
    virtual void detachLater(const std::string& device) = 0;
    // One line for the system log, led by "INFO -- ", "WARNING -- " or "ERROR -- ".
    virtual void log(const std::string& line) = 0;
};

}
