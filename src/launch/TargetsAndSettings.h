#pragma once

#include "launch/LaunchableCatalogue.h"
#include "launch/Settings.h"
#include "launch/TargetNameCache.h"

namespace scriblo {

// The one object that holds the catalogue of targets, the names its targets were last
// seen under, and the user's settings, which the setup and recognition sides reach
// through the application.
class TargetsAndSettings {
public:
    struct Services {
        std::shared_ptr<Workspace> workspace;
        std::filesystem::path builtInScriptsFolder;
        std::shared_ptr<UserDefaults> storage;
        std::shared_ptr<LoginItems> loginItems;
        std::function<bool()> systemIsMultitouchCapable;
        std::filesystem::path targetNamesFile = TargetNameCache::standardPath();
        // Where the settings, from a first start's defaults on, and the target names are
        // read and written; without it, on the caller's thread.
        WorkQueue* writes = nullptr;
    };

    explicit TargetsAndSettings(Services services);

    // Fetches every list of the catalogue, then every setting.
    void setup();

    LaunchableCatalogue& catalogue() { return m_catalogue; }
    const LaunchableCatalogue& catalogue() const { return m_catalogue; }
    TargetNameCache& targetNames() { return m_targetNames; }
    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }

    std::shared_ptr<Launchable> findLaunchableWithId(const std::string& launchId) const
    {
        return m_catalogue.findLaunchableWithId(launchId);
    }

private:
    LaunchableCatalogue m_catalogue;
    TargetNameCache m_targetNames;
    Settings m_settings;
};

}
