#include "setup/GestureSetupController.h"

#include <QWidget>

namespace scriblo {

GestureSetupController::GestureSetupController(GestureSetupModel::Services services, QObject* parent)
    : QObject(parent)
    , m_setupModel(std::make_unique<GestureSetupModel>(std::move(services)))
{
    m_setupModel->setup();
}

GestureSetupController::~GestureSetupController() = default;

bool GestureSetupController::setupWindowVisible() const
{
    QWidget* window = setupWindow();
    return window && window->isVisible();
}

void GestureSetupController::toggleSetupWindow()
{
}

void GestureSetupController::applicationDidFinishLaunching()
{
}

}
