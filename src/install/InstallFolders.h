#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace scriblo {

// Where the running AppImage is and where it could go.
struct InstallFolders {
    // The AppImage file, from $APPIMAGE; none when the program runs from anything else.
    std::optional<std::filesystem::path> source;
    // The user's own ~/Applications, chosen when it already holds an AppImage.
    std::filesystem::path userApplications;
    // /opt/Applications, for everyone on the computer.
    std::filesystem::path localApplications;
    std::vector<std::filesystem::path> downloads;

    // Read from the environment and the XDG user folders file of the user.
    static InstallFolders current();
};

}
