#include "launch/Application.h"

#include "launch/Workspace.h"

namespace scriblo {

Application::Application(std::string displayName, std::string icon, std::string bundleId, std::shared_ptr<Workspace> workspace)
    : Launchable(std::move(displayName), std::move(bundleId), std::move(icon))
    , m_workspace(std::move(workspace))
{
}

std::string Application::description() const
{
    return "launch application " + bundleId();
}

void Application::launch()
{
    m_workspace->launchApplication(bundleId());
}

}
