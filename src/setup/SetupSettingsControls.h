#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

class QLineEdit;
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
    // A number field's reading and saving, and the range it takes.
    struct NumberSetting {
        std::optional<int32_t> (*accept)(std::string_view text);
        void (Settings::*save)(int32_t);
        int32_t lowest;
        int32_t highest;
    };

    // Saves what the field accepts; a refused value goes back to the stored one, and the
    // field says, by its side and to a screen reader, what it takes.
    void numberChanged(QLineEdit* field, const NumberSetting& setting);
    void loginStartOptionChanged();

    GestureSetupWindow& m_window;
    Change m_change;
};

}
