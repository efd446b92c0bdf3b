#include "launch/BookmarkPages.h"

#include "launch/BrowserEntries.h"
#include "launch/ChromeBookmarks.h"
#include "launch/ChromePage.h"
#include "launch/ChromiumPage.h"
#include "launch/FirefoxBookmarks.h"
#include "launch/FirefoxPage.h"
#include "launch/SafariBookmarks.h"
#include "launch/SafariPage.h"
#include "platform/XdgPaths.h"

namespace scriblo::BookmarkPages {

namespace {

template<typename Page>
void appendPages(LaunchableList& list, const std::vector<Bookmark>& bookmarks, const std::string& icon, const std::shared_ptr<Workspace>& workspace)
{
    for (const auto& bookmark : bookmarks)
        list.push_back(std::make_shared<Page>(bookmark.name, icon, bookmark.url, workspace));
}

// Reads a browser's bookmarks only when its desktop entry is installed.
template<typename Page, typename Read>
void appendInstalledBrowser(LaunchableList& list, const std::shared_ptr<Workspace>& workspace, Read read)
{
    if (auto entry = BrowserEntries::installedEntry(Page::browserId))
        appendPages<Page>(list, read(), entry->icon, workspace);
}

std::vector<Bookmark> firefoxBookmarks()
{
    auto profile = FirefoxBookmarks::defaultProfile(XdgPaths::home() / ".mozilla/firefox");
    return profile ? FirefoxBookmarks::read(*profile / "places.sqlite") : std::vector<Bookmark> {};
}

}

std::filesystem::path safariBookmarksFile()
{
    return XdgPaths::home() / "Library/Safari/Bookmarks.plist";
}

LaunchableList pages(const std::shared_ptr<Workspace>& workspace)
{
    LaunchableList list;
    appendInstalledBrowser<ChromePage>(list, workspace, [] {
        return ChromeBookmarks::read(XdgPaths::configHome() / "google-chrome/Default/Bookmarks");
    });
    appendInstalledBrowser<ChromiumPage>(list, workspace, [] {
        return ChromeBookmarks::read(XdgPaths::configHome() / "chromium/Default/Bookmarks");
    });
    appendInstalledBrowser<FirefoxPage>(list, workspace, firefoxBookmarks);
    appendPages<SafariPage>(list, SafariBookmarks::read(safariBookmarksFile()), "web-browser", workspace);
    return list;
}

}
