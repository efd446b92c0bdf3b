#include "launch/GestureSetupModel.h"

namespace scriblo {

GestureSetupModel::GestureSetupModel(Services services)
    : m_catalogue(std::move(services.workspace), std::move(services.builtInScriptsFolder))
    , m_settings(std::move(services.storage), std::move(services.loginItems), std::move(services.systemIsMultitouchCapable))
{
}

void GestureSetupModel::setup()
{
    m_catalogue.fetchAll();
    m_settings.readAllStoringDefaults();
}

}
