#pragma once

#include "launch/Launchable.h"

namespace scriblo {

class BrowserScripting;
class Workspace;

// A bookmarked address opened in one given browser. The identity is the browser's
// identifier, a colon and the address exactly as the bookmarks hold it.
class WebPage : public Launchable {
public:
    WebPage(std::string displayName, std::string icon, std::string url, std::string targetBrowserId, std::shared_ptr<Workspace> workspace);

    const std::string& url() const { return m_url; }
    const std::string& targetBrowserId() const { return m_targetBrowserId; }
    std::string description() const override;

    // The form in which a tab's address is compared with a bookmark's: without what
    // precedes the first "://" and without one final "/".
    static std::string stripUrl(const std::string& url);

protected:
    using ShowUrl = void (*)(BrowserScripting&, const std::string&);
    // Shows the address with the browser's scripting handle. A bookmark without an
    // address, or a browser that is not installed (it has no handle), fails the launch.
    void showWith(ShowUrl show) const;

private:

    const std::string m_url;
    const std::string m_targetBrowserId;
    const std::shared_ptr<Workspace> m_workspace;
};

}
