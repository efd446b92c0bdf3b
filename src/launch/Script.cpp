#include "launch/Script.h"

#include "launch/Workspace.h"

namespace scriblo {

namespace {

std::filesystem::path normalised(const std::filesystem::path& file)
{
    return std::filesystem::absolute(file).lexically_normal();
}

}

Script::Script(std::string displayName, std::string icon, const std::filesystem::path& file, std::shared_ptr<Workspace> workspace)
    : Script(std::move(displayName), std::move(icon), file, normalised(file).string(), std::move(workspace))
{
}

Script::Script(std::string displayName, std::string icon, const std::filesystem::path& file, std::string launchId, std::shared_ptr<Workspace> workspace)
    : Launchable(std::move(displayName), std::move(launchId), std::move(icon))
    , m_file(normalised(file))
    , m_workspace(std::move(workspace))
{
}

std::string Script::description() const
{
    return "run program " + m_file.string();
}

void Script::launch()
{
    m_workspace->runProgram(m_file);
}

}
