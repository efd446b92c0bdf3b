#include "app/commands/SettingsCommand.h"

#include "app/commands/PreferencesStore.h"
#include "launch/Settings.h"
#include "launch/SettingsInput.h"
#include "launch/XdgAutostart.h"
#include "multitouch/MultitouchManager.h"

#include <variant>
#include <iostream>

namespace scriblo {

const char SettingsCommand::usage[] =
    "  settings                           every setting: KEY, VALUE in use (a stored number\n"
    "                                     outside its range is used at the nearest end)\n"
    "  settings get KEY                   one setting\n"
    "  settings set KEY VALUE             change one setting: minimumRecognitionScore 70..100,\n"
    "                                     readingDelayTime 1..1000 (ms), read as the setup\n"
    "                                     window reads them (\"85%\" is 85); the options true|false\n"
    "    --store FILE                     the preferences file (default: the user's own)\n";

namespace {

constexpr const char* loginStartOptionKey = "loginStartOption";

struct IntegerSetting {
    int32_t (Settings::*read)() const;
    void (Settings::*save)(int32_t);
    // The setup window's own reading of its field, so both accept the same texts.
    std::optional<int32_t> (*accept)(std::string_view text);
    int32_t lowest;
    int32_t highest;
};

struct BoolSetting {
    bool (Settings::*read)() const;
    void (Settings::*save)(bool);
};

struct Key {
    const char* name;
    std::variant<IntegerSetting, BoolSetting> setting;
};

const Key keys[] = {
    { Settings::minimumRecognitionScoreKey, IntegerSetting { &Settings::minimumRecognitionScore, &Settings::saveMinimumRecognitionScore, &SettingsInput::acceptedMinimumRecognitionScore, Settings::lowestMinimumRecognitionScore, Settings::highestMinimumRecognitionScore } },
    { Settings::readingDelayTimeKey, IntegerSetting { &Settings::readingDelayTime, &Settings::saveReadingDelayTime, &SettingsInput::acceptedReadingDelayTime, Settings::shortestReadingDelayTime, Settings::longestReadingDelayTime } },
    { Settings::multitouchOptionKey, BoolSetting { &Settings::multitouchOption, &Settings::saveMultitouchOption } },
    { Settings::fullscreenOptionKey, BoolSetting { &Settings::fullscreenOption, &Settings::saveFullscreenOption } },
    { Settings::quickdrawOptionKey, BoolSetting { &Settings::quickdrawOption, &Settings::saveQuickdrawOption } },
    { loginStartOptionKey, BoolSetting { &Settings::loginStartOption, &Settings::saveLoginStartOption } },
    { Settings::explainMissesOptionKey, BoolSetting { &Settings::explainMissesOption, &Settings::saveExplainMissesOption } },
};

const Key& findKey(const std::string& name)
{
    for (const auto& key : keys) {
        if (name == key.name)
            return key;
    }
    throw UsageError("unknown setting '" + name + "' (see scriblo settings)");
}

std::string valueText(const Settings& settings, const Key& key)
{
    if (auto integer = std::get_if<IntegerSetting>(&key.setting))
        return std::to_string((settings.*integer->read)());
    return (settings.*std::get<BoolSetting>(key.setting).read)() ? "true" : "false";
}

// Values outside the accepted range are used at its nearest end; saying what the file
// holds keeps a hand edit from being ignored without a word.
void noteStoredValue(const UserDefaults& storage, const Settings& settings, const Key& key)
{
    auto integer = std::get_if<IntegerSetting>(&key.setting);
    auto stored = integer ? storage.objectForKey(key.name) : std::nullopt;
    if (stored && stored->intValue() != (settings.*integer->read)())
        std::cerr << "scriblo: note: " << key.name << " is stored as " << stored->intValue() << ", outside "
                  << integer->lowest << ".." << integer->highest << "; " << valueText(settings, key) << " is used\n";
}

// Accepts exactly what the setup window would; anything else changes nothing.
void save(Settings& settings, const Key& key, const std::string& text)
{
    if (auto integer = std::get_if<IntegerSetting>(&key.setting)) {
        auto value = integer->accept(text);
        if (!value)
            throw InputError(std::string(key.name) + " takes a whole number from " + std::to_string(integer->lowest) + " to " + std::to_string(integer->highest) + ", not '" + text + "'");
        (settings.*integer->save)(*value);
        return;
    }
    if (text != "true" && text != "false")
        throw InputError(std::string(key.name) + " takes true or false, not '" + text + "'");
    (settings.*std::get<BoolSetting>(key.setting).save)(text == "true");
}

}

int SettingsCommand::run(CommandLine& commandLine, const CommandServices& services)
{
    auto storePath = commandLine.takeOption("--store");
    auto command = commandLine.next();
    bool writes = command && *command == "set";
    // Reading fills absent settings with their defaults; opened for reading, the store
    // keeps them in memory instead of writing them.
    auto storage = PreferencesStore::open(storePath, writes ? PropertyListUserDefaults::Access::ReadWrite : PropertyListUserDefaults::Access::ReadOnly);
    // Asked only when the store has no multitouch option yet. A touchpad still waiting for
    // the udev rule counts, or a first run before the rule applies would store mouse mode
    // for good.
    auto touchpadExists = [multitouch = services.multitouch] { return multitouch().touchpadPresent(); };
    Settings settings(storage, std::make_shared<XdgAutostart>(XdgAutostart::runningExecutable()), touchpadExists);
    if (writes) {
        const Key& key = findKey(commandLine.required("a setting name"));
        auto value = commandLine.required("a value");
        commandLine.expectEnd();
        save(settings, key, value);
        // A value that only reached memory must not read as saved.
        if (auto written = storage->synchronize(); !written)
            PreferencesStore::failWrite(*storage, "the settings", written.error());
        // The autostart folder is looked at again, as the setup window does after a change,
        // so an entry that could not be written or removed is not reported as done.
        if (key.name == std::string(loginStartOptionKey) && settings.readLoginStartOption() != (value == "true"))
            throw InputError(XdgAutostart::folder().string() + ": could not change the autostart entry; start at login is still " + valueText(settings, key));
        return 0;
    }
    settings.readAllStoringDefaults();
    if (!command) {
        for (const auto& key : keys) {
            std::cout << key.name << '\t' << valueText(settings, key) << '\n';
            noteStoredValue(*storage, settings, key);
        }
        return 0;
    }
    if (*command != "get")
        throw UsageError("unknown settings command '" + *command + "'");
    const Key& key = findKey(commandLine.required("a setting name"));
    commandLine.expectEnd();
    std::cout << valueText(settings, key) << '\n';
    noteStoredValue(*storage, settings, key);
    return 0;
}

}
