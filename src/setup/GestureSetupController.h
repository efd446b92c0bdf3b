#pragma once

#include "launch/GestureSetupModel.h"

#include <QObject>

#include <memory>

class QWidget;

namespace scriblo {

// The setup side as the recognition side and the application see it: the owner of the
// catalogue and settings, and a setup window that is not built yet and so never shows.
class GestureSetupController : public QObject {
    Q_OBJECT
public:
    // Fetches the catalogue and the settings.
    explicit GestureSetupController(GestureSetupModel::Services services, QObject* parent = nullptr);
    ~GestureSetupController() override;

    GestureSetupModel& setupModel() { return *m_setupModel; }
    // Null while there is no setup window; a missing window counts as hidden.
    QWidget* setupWindow() const { return nullptr; }
    bool setupWindowVisible() const;

    void toggleSetupWindow();
    void applicationDidFinishLaunching();

private:
    std::unique_ptr<GestureSetupModel> m_setupModel;
};

}
