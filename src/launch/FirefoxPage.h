#pragma once

#include "launch/TabSelection.h"
#include "launch/WebPage.h"

namespace scriblo {

// A page of Firefox's bookmarks toolbar; Firefox takes Chrome's way of picking tabs.
class FirefoxPage final : public WebPage {
public:
    static constexpr const char* browserId = "org.mozilla.firefox";

    FirefoxPage(std::string displayName, std::string icon, std::string url, std::shared_ptr<Workspace> workspace)
        : WebPage(std::move(displayName), std::move(icon), std::move(url), browserId, std::move(workspace)) { }

protected:
    void launch() override { showWith(showUrlChromeStyle); }
};

}
