#include "launch/TargetsAndSettings.h"

namespace scriblo {

TargetsAndSettings::TargetsAndSettings(Services services)
    : m_catalogue(std::move(services.workspace), std::move(services.builtInScriptsFolder))
    , m_targetNames(std::move(services.targetNamesFile))
    , m_settings(std::move(services.storage), std::move(services.loginItems), std::move(services.systemIsMultitouchCapable))
{
    if (services.writes) {
        m_settings.writeOn(*services.writes);
        m_targetNames.writeOn(*services.writes);
    }
}

void TargetsAndSettings::setup()
{
    m_catalogue.fetchAll();
    m_settings.readAllStoringDefaults();
}

}
