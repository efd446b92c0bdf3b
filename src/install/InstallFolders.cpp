#include "install/InstallFolders.h"

#include "files/SafeFile.h"
#include "platform/XdgPaths.h"

#include <cstdlib>
#include <sstream>

namespace scriblo {

namespace {

constexpr size_t userDirsLimit = 64 * 1024;

// The XDG_DOWNLOAD_DIR line of user-dirs.dirs: "$HOME/…" or an absolute path, in
// double quotes, as xdg-user-dir reads it.
std::optional<std::filesystem::path> downloadFolderSetting()
{
    auto text = SafeFile::readIfExists(XdgPaths::configHome() / "user-dirs.dirs", userDirsLimit);
    if (!text || !*text)
        return std::nullopt;
    std::istringstream lines(**text);
    const std::string key = "XDG_DOWNLOAD_DIR=\"";
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(key) || !line.ends_with('"'))
            continue;
        auto value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.starts_with("$HOME"))
            return XdgPaths::home() / std::filesystem::path(value.substr(5)).relative_path();
        if (value.starts_with('/'))
            return std::filesystem::path(value);
    }
    return std::nullopt;
}

}

InstallFolders InstallFolders::current()
{
    InstallFolders folders;
    if (const char* appImage = std::getenv("APPIMAGE"); appImage && appImage[0] == '/')
        folders.source = std::filesystem::path(appImage);
    folders.userApplications = XdgPaths::home() / "Applications";
    folders.localApplications = "/opt/Applications";
    folders.downloads = { downloadFolderSetting().value_or(XdgPaths::home() / "Downloads") };
    return folders;
}

}
