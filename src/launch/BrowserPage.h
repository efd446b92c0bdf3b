#pragma once

#include "launch/TabSelection.h"
#include "launch/WebPage.h"

namespace scriblo {

// A page of one browser's bookmarks. The browser's identity prefixes the page's, so the
// same address in two browsers is two targets; each browser picks its tab its own way.
template <const char* BrowserId, auto ShowInTab>
class BrowserPage final : public WebPage {
public:
    static constexpr const char* browserId = BrowserId;

    BrowserPage(std::string displayName, std::string icon, std::string url, std::shared_ptr<Workspace> workspace)
        : WebPage(std::move(displayName), std::move(icon), std::move(url), browserId, std::move(workspace)) { }

protected:
    void launch() override { showWith(ShowInTab); }
};

namespace browsers {
inline constexpr char chrome[] = "com.google.Chrome";
inline constexpr char chromium[] = "org.chromium.Chromium";
inline constexpr char firefox[] = "org.mozilla.firefox";
inline constexpr char safari[] = "com.apple.Safari";
}

// Google Chrome's and Chromium's bookmarks bar, Firefox's bookmarks toolbar (Firefox
// takes Chrome's way of picking tabs), and a Safari bookmarks file.
using ChromePage = BrowserPage<browsers::chrome, showUrlChromeStyle>;
using ChromiumPage = BrowserPage<browsers::chromium, showUrlChromeStyle>;
using FirefoxPage = BrowserPage<browsers::firefox, showUrlChromeStyle>;
using SafariPage = BrowserPage<browsers::safari, showUrlSafariStyle>;

}
