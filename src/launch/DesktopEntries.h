#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

// One application desktop entry, as the menus would show it.
struct DesktopEntry {
    std::string id;
    std::filesystem::path file;
    std::string name;
    std::string icon;
    std::vector<std::string> categories;
    // The Exec line, field codes and all.
    std::string commandLine;
};

// The application desktop entries under the XDG data folders. An entry in an earlier
// folder overrides every entry with the same desktop file ID in later ones, even when
// the earlier one hides itself. Whether an entry is shown follows GIO's own rules
// (NoDisplay, Hidden, OnlyShowIn, NotShowIn, TryExec).
namespace DesktopEntries {

// The generic application icon that entries without one of their own get.
inline constexpr const char* genericApplicationIcon = "application-x-executable";

std::vector<DesktopEntry> shownEntries();
// The entry file that owns a desktop file ID, shown or not.
std::optional<std::filesystem::path> findFile(const std::string& desktopId);
// The entry of a desktop file ID, shown or not, when it exists and loads.
std::optional<DesktopEntry> entryWithId(const std::string& desktopId);

}

}
