#include "launch/DryRunWorkspace.h"

namespace scriblo {

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

// Asked only to open a page, so the question stands for the launch; without a handle
// the page stays closed.
std::unique_ptr<BrowserScripting> DryRunWorkspace::browserScripting(const std::string&)
{
    m_heldBack();
    return nullptr;
}

std::optional<std::string> DryRunWorkspace::defaultApplicationForType(const std::string& contentType)
{
    return m_desktop->defaultApplicationForType(contentType);
}

}
