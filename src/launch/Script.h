#pragma once

#include "launch/Launchable.h"

#include <filesystem>

namespace scriblo {

class Workspace;

// An executable file run as a program; its identity is the file's absolute path.
class Script final : public Launchable {
public:
    Script(std::string displayName, std::string icon, const std::filesystem::path& file, std::shared_ptr<Workspace> workspace);

    std::filesystem::path path() const { return launchId(); }
    std::string description() const override;

protected:
    void launch() override;

private:
    const std::shared_ptr<Workspace> m_workspace;
};

}
