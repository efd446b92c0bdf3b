#include "launch/WebPage.h"

#include "launch/BrowserScripting.h"
#include "launch/Workspace.h"

#include <stdexcept>

namespace scriblo {

WebPage::WebPage(std::string displayName, std::string icon, std::string url, std::string targetBrowserId, std::shared_ptr<Workspace> workspace)
    : Launchable(std::move(displayName), targetBrowserId + ":" + url, std::move(icon))
    , m_url(std::move(url))
    , m_targetBrowserId(std::move(targetBrowserId))
    , m_workspace(std::move(workspace))
{
}

std::string WebPage::description() const
{
    return "open " + m_url + " in " + m_targetBrowserId;
}

std::string WebPage::stripUrl(const std::string& url)
{
    std::string stripped = url;
    auto scheme = stripped.find("://");
    if (scheme != std::string::npos)
        stripped.erase(0, scheme + 3);
    if (!stripped.empty() && stripped.back() == '/')
        stripped.pop_back();
    return stripped;
}

void WebPage::showWith(ShowUrl show) const
{
    // A bookmark without an address would only bring up an empty browser.
    if (m_url.find_first_not_of(" \t\r\n") == std::string::npos)
        throw std::runtime_error("the bookmark has no address");
    auto browser = m_workspace->browserScripting(m_targetBrowserId);
    if (!browser)
        throw std::runtime_error(m_targetBrowserId + " is not installed");
    show(*browser, m_url);
}

}
