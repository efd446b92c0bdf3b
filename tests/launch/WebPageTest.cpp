#include "FakeWorkspace.h"
#include "launch/BrowserPage.h"
#include "launch/TabSelection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace scriblo;
using scriblo::testing::FakeBrowser;
using scriblo::testing::FakeWorkspace;
using ::testing::ElementsAre;

// A bookmark without a title would show as nothing beside its gesture and its score.
TEST(WebPageTest, stripUrlDropsSchemeAndOneFinalSlashAndABlankTitleShowsTheAddressesLastPart)
{
    auto named = [](const std::string& title, const std::string& url) {
        return WebPage(title, "", url, "org.mozilla.firefox", nullptr).displayName();
    };
    EXPECT_EQ(named(" \t", "https://example.org/docs/intro/"), "intro");
    EXPECT_EQ(named("", "https://example.org"), "example.org");
    EXPECT_EQ(named("News", "https://example.org/n"), "News");
    EXPECT_EQ(WebPage::stripUrl("https://example.org/path/"), "example.org/path");
    EXPECT_EQ(WebPage::stripUrl("https://example.org//"), "example.org/");
    EXPECT_EQ(WebPage::stripUrl("a://b://c"), "b://c");
    EXPECT_EQ(WebPage::stripUrl("example.org/"), "example.org");
    EXPECT_EQ(WebPage::stripUrl("://"), "");
    EXPECT_EQ(WebPage::stripUrl("/"), "");
    EXPECT_EQ(WebPage::stripUrl(""), "");
}

TEST(TabSelectionTest, anOpenMatchIsSelectedAcrossSchemeAndSlashElseANewTabLeadsTheFirstWindow)
{
    struct Case {
        void (*show)(BrowserScripting&, const std::string&);
        std::vector<std::vector<std::string>> windows;
        std::string url;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        { showUrlChromeStyle, { { "https://other.org" }, { "x", "http://a.org/" }, { "https://a.org" } }, "https://a.org",
            { "activate", "setActiveTabIndex 1 2", "setWindowIndex 1 1" } },
        // Addresses that differ in case are different pages.
        { showUrlChromeStyle, { {}, { "https://A.org" } }, "https://a.org", { "activate", "addTab 0 https://a.org", "setWindowIndex 0 1" } },
        { showUrlSafariStyle, { { "https://b.org" }, { "https://a.org/" } }, "a.org", { "activate", "setCurrentTab 1 0", "setWindowIndex 1 1" } },
        { showUrlSafariStyle, { { "https://b.org" }, { "https://a.org/" } }, "https://c.org",
            { "activate", "addTab 0 https://c.org", "setCurrentTab 0 1", "setWindowIndex 0 1" } },
    };
    for (const auto& test : cases) {
        std::vector<std::string> calls;
        FakeBrowser browser(calls);
        browser.windows = test.windows;
        browser.documents = test.windows.size();
        test.show(browser, test.url);
        EXPECT_EQ(calls, test.calls) << test.url;
    }
}

// An empty Chrome-style browser gets a window whose active tab takes the address; an
// empty Safari a document made with it. A page whose browser is not installed fails; a
// page of no known browser, or a bare target, launches nothing. A bookmark without an
// address fails without starting the browser, which would look like success.
TEST(TabSelectionTest, pagesPickTheirBrowsersVariantAndFailWithoutTheirBrowserOrAnAddress)
{
    auto workspace = std::make_shared<FakeWorkspace>();
    for (const char* blank : { "", " \t" }) {
        auto launched = FirefoxPage("F", "i", blank, workspace).launchHere();
        ASSERT_FALSE(launched);
        EXPECT_EQ(launched.error(), "the bookmark has no address");
    }
    std::vector<std::string> browserCalls;
    workspace->makeBrowser = [&](const std::string& browserId) -> std::unique_ptr<BrowserScripting> {
        if (browserId == ChromePage::browserId)
            return nullptr;
        return std::make_unique<FakeBrowser>(browserCalls);
    };
    EXPECT_EQ(std::make_shared<ChromePage>("C", "i", "https://c.org", workspace)->launchHere().error(), "com.google.Chrome is not installed");
    std::make_shared<FirefoxPage>("F", "i", "https://f.org", workspace)->launchWithNewThread(LaunchThread::Calling);
    std::make_shared<SafariPage>("S", "i", "https://s.org", workspace)->launchWithNewThread(LaunchThread::Calling);
    std::make_shared<WebPage>("W", "i", "https://w.org", "some.browser", workspace)->launchWithNewThread(LaunchThread::Calling);
    std::make_shared<Launchable>("L", "id", "i")->launchWithNewThread(LaunchThread::Calling);
    EXPECT_THAT(browserCalls,
        ElementsAre("activate", "makeWindow", "setActiveTabUrl 0 https://f.org", "activate", "makeDocument https://s.org"));
    EXPECT_THAT(workspace->launches(), ElementsAre("browser com.google.Chrome", "browser org.mozilla.firefox", "browser com.apple.Safari"));
}
