#include "launch/BuiltInScripts.h"

#include "core/GestureRecognitionModel.h"
#include "launch/ScriptFolder.h"

#include <QCoreApplication>

#include <array>
#include <cstdlib>

namespace scriblo::BuiltInScripts {

namespace {

constexpr const char* scheme = "builtin:";

// The names of the scripts in data/scripts, for the catalogues: the file names stay
// English, since gestures are stored by them.
constexpr std::array shippedNames {
    QT_TRANSLATE_NOOP("scriblo::BuiltInScripts", "Empty Trash"),
    QT_TRANSLATE_NOOP("scriblo::BuiltInScripts", "Lock Screen"),
    QT_TRANSLATE_NOOP("scriblo::BuiltInScripts", "Log Out"),
    QT_TRANSLATE_NOOP("scriblo::BuiltInScripts", "Open Home Folder"),
    QT_TRANSLATE_NOOP("scriblo::BuiltInScripts", "Suspend"),
};

// The folders earlier builds stored built-in scripts under. The user's own scripts live
// in ".../Scriblo/Scripts" (capital S), so they never look like these.
constexpr std::array installedFolders { "/share/scriblo/Scripts", "/data/scripts" };

}

std::filesystem::path folder()
{
    if (const char* overridden = std::getenv("SCRIBLO_BUILTIN_SCRIPTS"); overridden && *overridden)
        return overridden;
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        auto installed = program.parent_path().parent_path() / "share/scriblo/Scripts";
        if (std::filesystem::is_directory(installed, error))
            return installed;
    }
    return SCRIBLO_SOURCE_SCRIPTS_DIR;
}

std::string displayName(const std::filesystem::path& file)
{
    auto name = ScriptFolder::displayName(file);
    for (const char* shipped : shippedNames) {
        if (name == shipped)
            return QCoreApplication::translate("scriblo::BuiltInScripts", shipped).toStdString();
    }
    return name;
}

std::string identity(const std::filesystem::path& file)
{
    return scheme + file.filename().string();
}

std::string currentIdentity(const std::string& storedIdentity)
{
    std::filesystem::path path(storedIdentity);
    if (!path.is_absolute() || !path.has_filename())
        return storedIdentity;
    auto folder = path.parent_path().string();
    for (std::string_view installed : installedFolders) {
        if (folder.ends_with(installed))
            return identity(path);
    }
    return storedIdentity;
}

std::optional<std::string> storedIdentity(const std::string& launchId, const GestureRecognitionModel& model)
{
    if (model.getGestureWithIdentity(launchId))
        return launchId;
    for (const auto& [identity, gesture] : model.gestureDictionary()) {
        if (currentIdentity(identity) == launchId)
            return identity;
    }
    return std::nullopt;
}

}
