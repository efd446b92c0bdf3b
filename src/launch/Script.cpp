#include "launch/Script.h"

#include "launch/Workspace.h"

namespace scriblo {

Script::Script(std::string displayName, std::string icon, const std::filesystem::path& file, std::shared_ptr<Workspace> workspace)
    : Launchable(std::move(displayName), std::filesystem::absolute(file).lexically_normal().string(), std::move(icon))
    , m_workspace(std::move(workspace))
{
}

std::string Script::description() const
{
    return "run program " + launchId();
}

void Script::launch()
{
    m_workspace->runProgram(path());
}

}
