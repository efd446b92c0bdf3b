#include "FakeWorkspace.h"
#include "launch/ChromePage.h"
#include "launch/ChromiumPage.h"
#include "launch/FirefoxPage.h"
#include "launch/SafariPage.h"
#include "launch/TabSelection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace scriblo;
using scriblo::testing::FakeBrowser;
using scriblo::testing::FakeWorkspace;
using ::testing::ElementsAre;

TEST(WebPageTest, stripUrlDropsSchemeAndOneFinalSlash)
{
    EXPECT_EQ(WebPage::stripUrl("https://example.org/path/"), "example.org/path");
    EXPECT_EQ(WebPage::stripUrl("https://example.org//"), "example.org/");
    EXPECT_EQ(WebPage::stripUrl("a://b://c"), "b://c");
    EXPECT_EQ(WebPage::stripUrl("example.org/"), "example.org");
    EXPECT_EQ(WebPage::stripUrl("://"), "");
    EXPECT_EQ(WebPage::stripUrl("/"), "");
    EXPECT_EQ(WebPage::stripUrl(""), "");
}

TEST(WebPageTest, identityIsBrowserColonUrlAsRead)
{
    auto workspace = std::make_shared<FakeWorkspace>();
    EXPECT_EQ(ChromePage("N", "i", "https://a.org/", workspace).launchId(), "com.google.Chrome:https://a.org/");
    EXPECT_EQ(ChromiumPage("N", "i", "https://a.org", workspace).launchId(), "org.chromium.Chromium:https://a.org");
    EXPECT_EQ(FirefoxPage("N", "i", "HTTP://A.org", workspace).launchId(), "org.mozilla.firefox:HTTP://A.org");
    SafariPage page("N", "i", "https://a.org/x", workspace);
    EXPECT_EQ(page.launchId(), "com.apple.Safari:https://a.org/x");
    EXPECT_EQ(page.url(), "https://a.org/x");
    EXPECT_EQ(page.targetBrowserId(), "com.apple.Safari");
}

TEST(TabSelectionTest, chromeSelectsFirstMatchingTabAcrossSchemeAndSlash)
{
    FakeBrowser browser;
    browser.windows = { { "https://other.org" }, { "x", "http://a.org/" }, { "https://a.org" } };
    showUrlChromeStyle(browser, "https://a.org");
    EXPECT_THAT(browser.calls, ElementsAre("activate", "setActiveTabIndex 1 2", "setWindowIndex 1 1"));
}

TEST(TabSelectionTest, chromeOpensNewTabInFirstWindowWhenCaseDiffers)
{
    FakeBrowser browser;
    browser.windows = { {}, { "https://A.org" } };
    showUrlChromeStyle(browser, "https://a.org");
    EXPECT_THAT(browser.calls, ElementsAre("activate", "addTab 0 https://a.org", "setWindowIndex 0 1"));
}

TEST(TabSelectionTest, safariSelectsMatchOrMakesNewTabCurrent)
{
    FakeBrowser browser;
    browser.documents = 2;
    browser.windows = { { "https://b.org" }, { "https://a.org/" } };
    showUrlSafariStyle(browser, "a.org");
    showUrlSafariStyle(browser, "https://c.org");
    EXPECT_THAT(browser.calls,
        ElementsAre("activate", "setCurrentTab 1 0", "setWindowIndex 1 1",
            "activate", "addTab 0 https://c.org", "setCurrentTab 0 1", "setWindowIndex 0 1"));
}

// An empty Chrome-style browser gets a window whose active tab takes the address; an
// empty Safari a document made with it.
TEST(TabSelectionTest, pagesPickTheirBrowsersVariantAndSkipMissingBrowsers)
{
    auto workspace = std::make_shared<FakeWorkspace>();
    std::vector<std::string> browserCalls;
    workspace->makeBrowser = [&](const std::string& browserId) -> std::unique_ptr<BrowserScripting> {
        if (browserId == ChromePage::browserId)
            return nullptr;
        struct Recording : FakeBrowser {
            std::vector<std::string>* sink;
            ~Recording() override { sink->insert(sink->end(), calls.begin(), calls.end()); }
        };
        auto browser = std::make_unique<Recording>();
        browser->sink = &browserCalls;
        return browser;
    };
    std::make_shared<ChromePage>("C", "i", "https://c.org", workspace)->launchWithNewThread(false);
    std::make_shared<FirefoxPage>("F", "i", "https://f.org", workspace)->launchWithNewThread(false);
    std::make_shared<SafariPage>("S", "i", "https://s.org", workspace)->launchWithNewThread(false);
    EXPECT_THAT(browserCalls,
        ElementsAre("activate", "makeWindow", "setActiveTabUrl 0 https://f.org", "activate", "makeDocument https://s.org"));
}
