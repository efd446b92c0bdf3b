#pragma once

#include "launch/Workspace.h"

#include <functional>

namespace scriblo {

// A workspace that starts nothing: launches are handed to `heldBack` instead (on the
// launching thread), and questions about the desktop go to the real workspace, so the
// catalogue lists what it always lists.
class DryRunWorkspace final : public Workspace {
public:
    DryRunWorkspace(std::shared_ptr<Workspace> desktop, std::function<void()> heldBack);

    void launchApplication(const std::string& desktopId) override;
    void runProgram(const std::filesystem::path& program) override;
    std::unique_ptr<BrowserScripting> browserScripting(const std::string& browserId) override;
    std::optional<std::string> defaultApplicationForType(const std::string& contentType) override;

private:
    std::shared_ptr<Workspace> m_desktop;
    std::function<void()> m_heldBack;
};

}
