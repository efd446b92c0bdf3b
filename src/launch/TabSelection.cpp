#include "launch/TabSelection.h"

#include "launch/BrowserScripting.h"
#include "launch/WebPage.h"

#include <optional>

namespace scriblo {

namespace {

struct TabPosition {
    size_t window;
    size_t tab;
};

std::optional<TabPosition> findTab(BrowserScripting& browser, const std::string& url)
{
    const std::string wanted = WebPage::stripUrl(url);
    const auto windows = browser.windowTabUrls();
    for (size_t window = 0; window < windows.size(); ++window) {
        for (size_t tab = 0; tab < windows[window].size(); ++tab) {
            if (WebPage::stripUrl(windows[window][tab]) == wanted)
                return TabPosition { window, tab };
        }
    }
    return std::nullopt;
}

}

void showUrlChromeStyle(BrowserScripting& browser, const std::string& url)
{
    browser.activate();
    if (browser.windowTabUrls().empty()) {
        browser.makeWindow();
        browser.setActiveTabUrl(0, url);
        return;
    }
    if (auto found = findTab(browser, url)) {
        browser.setActiveTabIndex(found->window, found->tab + 1);
        browser.setWindowIndex(found->window, 1);
        return;
    }
    browser.addTab(0, url);
    browser.setWindowIndex(0, 1);
}

void showUrlSafariStyle(BrowserScripting& browser, const std::string& url)
{
    browser.activate();
    if (browser.documentCount() == 0) {
        browser.makeDocument(url);
        return;
    }
    if (auto found = findTab(browser, url)) {
        browser.setCurrentTab(found->window, found->tab);
        browser.setWindowIndex(found->window, 1);
        return;
    }
    size_t tab = browser.addTab(0, url);
    browser.setCurrentTab(0, tab);
    browser.setWindowIndex(0, 1);
}

}
