#pragma once

#include "install/MoveServices.h"

#include <string_view>
#include <vector>

namespace scriblo {

// Moving on a Linux desktop: pkexec for the administrator's copy (its exit status 126
// is a dismissed prompt), GIO's Trash, /proc for the running copies and the loop device
// an image file is mounted from, udisks to detach it, and the system log.
class LinuxMoveServices final : public MoveServices {
public:
    bool isWritable(const std::filesystem::path& path) override;
    std::optional<std::string> diskImageDevice(const std::filesystem::path& folder) override;
    bool trash(const std::filesystem::path& path) override;
    AuthorizedCopy copyWithAuthorization(const std::filesystem::path& source, const std::filesystem::path& destination) override;
    bool isRunning(const std::filesystem::path& destination) override;
    void open(const std::filesystem::path& destination) override;
    void relaunchAfterExit(const std::filesystem::path& destination) override;
    void detachLater(const std::string& device) override;
    void log(const std::string& line) override;

    // The program and arguments that replace `destination` with a copy of `source` as
    // the administrator: pkexec, then a fixed script that takes the paths as arguments.
    static std::vector<std::string> authorizedCopyCommand(const std::filesystem::path& source, const std::filesystem::path& destination);
    // The loop device behind a mounted device ("/dev/loop3p1" → "/dev/loop3"), when
    // it is one that is backed by a file.
    static std::optional<std::string> loopDevice(std::string_view device);
};

}
