#pragma once

#include "launch/Workspace.h"
#include "platform/StartupNotifier.h"

namespace scriblo {

// The workspace of a Linux desktop, through GIO: desktop entries are launched as the
// desktop's own launchers do, programs are spawned without a shell.
class DesktopWorkspace final : public Workspace {
public:
    // Without a notifier, launched applications get no startup ID.
    explicit DesktopWorkspace(std::shared_ptr<StartupNotifier> startupNotifier = nullptr);

    void launchApplication(const std::string& desktopId) override;
    void runProgram(const std::filesystem::path& program) override;
    std::unique_ptr<BrowserScripting> browserScripting(const std::string& browserId) override;
    std::optional<std::string> defaultApplicationForType(const std::string& contentType) override;

private:
    std::shared_ptr<StartupNotifier> m_startupNotifier;
};

}
