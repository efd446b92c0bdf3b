#pragma once

#include "launch/Launchable.h"

#include <filesystem>

namespace scriblo {

class Workspace;

// An executable file run as a program. A user's script is known by its file's absolute
// path; a built-in script by a name that does not move with the program (BuiltInScripts).
class Script final : public Launchable {
public:
    Script(std::string displayName, std::string icon, const std::filesystem::path& file, std::shared_ptr<Workspace> workspace);
    Script(std::string displayName, std::string icon, const std::filesystem::path& file, std::string launchId, std::shared_ptr<Workspace> workspace);

    const std::filesystem::path& path() const { return m_file; }
    std::string description() const override;

protected:
    void launch() override;

private:
    const std::filesystem::path m_file;
    const std::shared_ptr<Workspace> m_workspace;
};

}
