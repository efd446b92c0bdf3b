#include "launch/BrowserEntries.h"

#include "launch/BrowserPage.h"

#include <map>
#include <vector>

namespace scriblo::BrowserEntries {

namespace {

const std::map<std::string, std::vector<std::string>>& candidates()
{
    static const std::map<std::string, std::vector<std::string>> table {
        { ChromePage::browserId, { "google-chrome.desktop", "com.google.Chrome.desktop" } },
        { ChromiumPage::browserId, { "chromium.desktop", "org.chromium.Chromium.desktop", "chromium-browser.desktop" } },
        { FirefoxPage::browserId, { "firefox-esr.desktop", "firefox.desktop", "org.mozilla.firefox.desktop" } },
    };
    return table;
}

}

std::optional<DesktopEntry> installedEntry(const std::string& browserId)
{
    auto found = candidates().find(browserId);
    if (found == candidates().end())
        return std::nullopt;
    for (const auto& desktopId : found->second) {
        if (auto entry = DesktopEntries::entryWithId(desktopId))
            return entry;
    }
    return std::nullopt;
}

}
