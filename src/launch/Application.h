#pragma once

#include "launch/Launchable.h"

namespace scriblo {

class Workspace;

// An installed application; its identity is its desktop file ID.
class Application final : public Launchable {
public:
    Application(std::string displayName, std::string icon, std::string bundleId, std::shared_ptr<Workspace> workspace);

    const std::string& bundleId() const { return launchId(); }
    std::string description() const override;

protected:
    void launch() override;

private:
    const std::shared_ptr<Workspace> m_workspace;
};

}
