#include "launch/TargetGoneCheck.h"

#include "launch/BookmarkPages.h"
#include "launch/BrowserEntries.h"
#include "launch/ChromeBookmarks.h"
#include "launch/BrowserPage.h"
#include "launch/DesktopEntries.h"
#include "launch/FirefoxBookmarks.h"
#include "launch/SafariBookmarks.h"
#include "platform/XdgPaths.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <unistd.h>

namespace scriblo::TargetGoneCheck {

namespace {

struct BookmarksSource {
    const char* browserId;
    // Whether its pages are listed only while the browser's desktop entry is installed.
    bool needsBrowser;
    // Empty when the browser names no file.
    std::function<std::filesystem::path()> file;
    std::function<Expected<std::vector<Bookmark>>(const std::filesystem::path&)> read;
};

std::filesystem::path firefoxPlaces()
{
    auto profile = FirefoxBookmarks::defaultProfile(XdgPaths::home() / ".mozilla/firefox");
    return profile && *profile ? **profile / "places.sqlite" : std::filesystem::path();
}

const std::vector<BookmarksSource>& bookmarksSources()
{
    static const std::vector<BookmarksSource> sources {
        { ChromePage::browserId, true, [] { return XdgPaths::configHome() / "google-chrome/Default/Bookmarks"; }, ChromeBookmarks::read },
        { ChromiumPage::browserId, true, [] { return XdgPaths::configHome() / "chromium/Default/Bookmarks"; }, ChromeBookmarks::read },
        { FirefoxPage::browserId, true, firefoxPlaces, FirefoxBookmarks::read },
        { SafariPage::browserId, false, BookmarkPages::safariBookmarksFile, SafariBookmarks::read },
    };
    return sources;
}

const BookmarksSource* sourceOf(const std::string& launchId)
{
    for (const auto& source : bookmarksSources()) {
        if (launchId.starts_with(std::string(source.browserId) + ":"))
            return &source;
    }
    return nullptr;
}

// Only a file that is there and parses says anything. A database Firefox keeps locked
// reads as an empty bar, so an empty bar proves nothing either; an emptied bar keeps its
// gestures, which costs no more than a stale entry.
std::optional<std::vector<Bookmark>> readBar(const BookmarksSource& source)
{
    auto file = source.file();
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    auto bookmarks = source.read(file);
    if (!bookmarks || bookmarks->empty())
        return std::nullopt;
    return std::move(*bookmarks);
}

bool samePath(const std::filesystem::path& left, const std::filesystem::path& right)
{
    return left.lexically_normal() == right.lexically_normal();
}

}

TargetAbsence scriptAbsence(const std::filesystem::path& script, const std::vector<std::filesystem::path>& scriptFolders)
{
    // Outside the scripts folders no list holds it (an imported path, a copy of another
    // machine's store): there is nothing to judge it against.
    auto folder = script.parent_path();
    if (std::none_of(scriptFolders.begin(), scriptFolders.end(), [&](const auto& scripts) { return samePath(scripts, folder); }))
        return TargetAbsence::OutOfReach;
    // A folder that is missing or cannot be read may sit on a disk that comes back.
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error) || access(folder.c_str(), R_OK | X_OK) != 0)
        return TargetAbsence::OutOfReach;
    auto entry = std::filesystem::symlink_status(script, error);
    if (entry.type() == std::filesystem::file_type::not_found)
        return TargetAbsence::Gone;
    // Still there: a script that lost its execute bit is the user's to mend, and a link
    // may point at a disk that comes back.
    if (std::filesystem::is_regular_file(script, error) && access(script.c_str(), X_OK) != 0)
        return TargetAbsence::CannotRun;
    return TargetAbsence::OutOfReach;
}

bool isPage(const std::string& launchId)
{
    return sourceOf(launchId) != nullptr;
}

TargetAbsence pageAbsence(const std::string& launchId)
{
    const BookmarksSource* source = sourceOf(launchId);
    if (!source)
        return TargetAbsence::OutOfReach;
    // Without the browser its bar is not listed at all, whatever a file left behind holds.
    if (source->needsBrowser && !BrowserEntries::installedEntry(source->browserId))
        return TargetAbsence::NoBrowser;
    auto bar = readBar(*source);
    std::string url = launchId.substr(std::string(source->browserId).size() + 1);
    bool gone = bar && std::none_of(bar->begin(), bar->end(), [&](const Bookmark& bookmark) { return bookmark.url == url; });
    return gone ? TargetAbsence::Gone : TargetAbsence::OutOfReach;
}

TargetAbsence applicationAbsence(const std::string& desktopId)
{
    // An entry that is only hidden (NoDisplay, another desktop's OnlyShowIn) may show again.
    return DesktopEntries::findFile(desktopId) ? TargetAbsence::OutOfReach : TargetAbsence::Gone;
}

}
