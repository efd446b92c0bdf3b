#pragma once

#include <functional>

class QObject;

namespace scriblo {

class GestureSetupWindow;
class Settings;

// The settings half of the setup window: each field saves what it accepts and the
// fields show what is stored. `change` wraps every save, so the controller can cancel a
// capture before it and refresh the window after it.
class SetupSettingsControls {
public:
    using Change = std::function<void(const std::function<void(Settings&)>&)>;

    SetupSettingsControls(GestureSetupWindow& window, Change change);

    void connectFields(QObject* context);
    void writeToFields(const Settings& settings);

private:
    void minimumRecognitionScoreChanged();
    void readingDelayTimeChanged();
    void loginStartOptionChanged();

    GestureSetupWindow& m_window;
    Change m_change;
};

}
