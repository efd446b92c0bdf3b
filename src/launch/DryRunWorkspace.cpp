#include "launch/DryRunWorkspace.h"

namespace scriblo {

namespace {

// A browser that is asked everything and does nothing: the page "opens" without a trace.
class HeldBackBrowser final : public BrowserScripting {
public:
    void activate() override { }
    std::vector<std::vector<std::string>> windowTabUrls() override { return {}; }
    size_t documentCount() override { return 0; }
    void makeWindow() override { }
    void makeDocument(const std::string&) override { }
    void setActiveTabUrl(size_t, const std::string&) override { }
    size_t addTab(size_t, const std::string&) override { return 0; }
    void setActiveTabIndex(size_t, size_t) override { }
    void setCurrentTab(size_t, size_t) override { }
    void setWindowIndex(size_t, size_t) override { }
};

}

DryRunWorkspace::DryRunWorkspace(std::shared_ptr<Workspace> desktop, std::function<void()> heldBack)
    : m_desktop(std::move(desktop))
    , m_heldBack(std::move(heldBack))
{
}

void DryRunWorkspace::launchApplication(const std::string&)
{
    m_heldBack();
}

void DryRunWorkspace::runProgram(const std::filesystem::path&)
{
    m_heldBack();
}

// Asked only to open a page, so the question stands for the launch; the handle it gets
// opens nothing, yet the launch counts as done, as every other held-back launch does.
std::unique_ptr<BrowserScripting> DryRunWorkspace::browserScripting(const std::string&)
{
    m_heldBack();
    return std::make_unique<HeldBackBrowser>();
}

std::optional<std::string> DryRunWorkspace::defaultApplicationForType(const std::string& contentType)
{
    return m_desktop->defaultApplicationForType(contentType);
}

}
