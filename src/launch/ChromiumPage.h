#pragma once

#include "launch/TabSelection.h"
#include "launch/WebPage.h"

namespace scriblo {

// A page of Chromium's bookmarks bar.
class ChromiumPage final : public WebPage {
public:
    static constexpr const char* browserId = "org.chromium.Chromium";

    ChromiumPage(std::string displayName, std::string icon, std::string url, std::shared_ptr<Workspace> workspace)
        : WebPage(std::move(displayName), std::move(icon), std::move(url), browserId, std::move(workspace)) { }

protected:
    void launch() override { showWith(showUrlChromeStyle); }
};

}
