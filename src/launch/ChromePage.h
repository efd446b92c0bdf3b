#pragma once

#include "launch/TabSelection.h"
#include "launch/WebPage.h"

namespace scriblo {

// A page of Google Chrome's bookmarks bar.
class ChromePage final : public WebPage {
public:
    static constexpr const char* browserId = "com.google.Chrome";

    ChromePage(std::string displayName, std::string icon, std::string url, std::shared_ptr<Workspace> workspace)
        : WebPage(std::move(displayName), std::move(icon), std::move(url), browserId, std::move(workspace)) { }

protected:
    void launch() override { showWith(showUrlChromeStyle); }
};

}
