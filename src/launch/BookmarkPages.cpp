#include "launch/BookmarkPages.h"

#include "launch/BrowserEntries.h"
#include "launch/ChromeBookmarks.h"
#include "launch/BrowserPage.h"
#include "launch/FirefoxBookmarks.h"
#include "launch/SafariBookmarks.h"
#include "platform/XdgPaths.h"

namespace scriblo::BookmarkPages {

namespace {

template<typename Page>
void appendPages(Pages& pages, const std::vector<Bookmark>& bookmarks, const std::string& icon, const std::shared_ptr<Workspace>& workspace)
{
    for (const auto& bookmark : bookmarks)
        pages.list.push_back(std::make_shared<Page>(bookmark.name, icon, bookmark.url, workspace));
}

// The bookmarks in `file`, or none, noting why the file was skipped.
template<typename Value>
std::optional<Value> readOrSkip(Pages& pages, const std::filesystem::path& file, Expected<Value> read)
{
    if (read)
        return std::move(*read);
    pages.skipped.push_back(file.string() + ": " + read.error());
    return std::nullopt;
}

std::vector<Bookmark> chromeBookmarks(Pages& pages, const std::filesystem::path& file)
{
    return readOrSkip(pages, file, ChromeBookmarks::read(file)).value_or(std::vector<Bookmark> {});
}

std::vector<Bookmark> firefoxBookmarks(Pages& pages)
{
    auto folder = XdgPaths::home() / ".mozilla/firefox";
    auto profile = readOrSkip(pages, folder / "profiles.ini", FirefoxBookmarks::defaultProfile(folder)).value_or(std::nullopt);
    if (!profile)
        return {};
    auto places = *profile / "places.sqlite";
    return readOrSkip(pages, places, FirefoxBookmarks::read(places)).value_or(std::vector<Bookmark> {});
}

// Reads a browser's bookmarks only when its desktop entry is installed.
template<typename Page, typename Read>
void appendInstalledBrowser(Pages& pages, const std::shared_ptr<Workspace>& workspace, Read read)
{
    if (auto entry = BrowserEntries::installedEntry(Page::browserId))
        appendPages<Page>(pages, read(), entry->icon, workspace);
}

}

std::filesystem::path safariBookmarksFile()
{
    return XdgPaths::home() / "Library/Safari/Bookmarks.plist";
}

Pages pages(const std::shared_ptr<Workspace>& workspace)
{
    Pages pages;
    appendInstalledBrowser<ChromePage>(pages, workspace, [&] {
        return chromeBookmarks(pages, XdgPaths::configHome() / "google-chrome/Default/Bookmarks");
    });
    appendInstalledBrowser<ChromiumPage>(pages, workspace, [&] {
        return chromeBookmarks(pages, XdgPaths::configHome() / "chromium/Default/Bookmarks");
    });
    appendInstalledBrowser<FirefoxPage>(pages, workspace, [&] { return firefoxBookmarks(pages); });
    auto safari = readOrSkip(pages, safariBookmarksFile(), SafariBookmarks::read(safariBookmarksFile()));
    appendPages<SafariPage>(pages, safari.value_or(std::vector<Bookmark> {}), "web-browser", workspace);
    return pages;
}

}
