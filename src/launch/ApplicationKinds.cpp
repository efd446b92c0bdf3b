#include "launch/ApplicationKinds.h"

#include "launch/Application.h"
#include "launch/DesktopEntries.h"
#include "launch/LaunchableCatalogue.h"
#include "launch/TargetGoneCheck.h"
#include "launch/TargetKinds.h"
#include "launch/Workspace.h"

#include <algorithm>

namespace scriblo::ApplicationKinds {

namespace {

enum class Shelf { Normal, Utilities, System };

bool hasCategory(const DesktopEntry& entry, const char* category)
{
    return std::find(entry.categories.begin(), entry.categories.end(), category) != entry.categories.end();
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The default file manager's desktop file ID, in small letters.
std::optional<std::string> fileManagerId(const KindSource& source)
{
    auto fileManager = source.workspace->defaultApplicationForType("inode/directory");
    return fileManager ? std::optional<std::string>(lowered(*fileManager)) : std::nullopt;
}

LaunchableList applicationsOnShelf(Shelf wanted, const std::optional<std::string>& fileManager, const KindSource& source)
{
    LaunchableList list;
    for (auto& entry : DesktopEntries::shownEntries()) {
        if (entry.id == LaunchableCatalogue::ownDesktopId || entry.id == LaunchableCatalogue::siblingDesktopId)
            continue;
        // The file manager is a system application whatever its categories say: GNOME's
        // Files and Cinnamon's Nemo give only Utility.
        bool system = hasCategory(entry, "System") || hasCategory(entry, "Settings") || lowered(entry.id) == fileManager;
        Shelf shelf = system ? Shelf::System : hasCategory(entry, "Utility") ? Shelf::Utilities : Shelf::Normal;
        if (shelf == wanted)
            list.push_back(std::make_shared<Application>(std::move(entry.name), std::move(entry.icon), std::move(entry.id), source.workspace));
    }
    TargetKinds::sortByDisplayName(list);
    return list;
}

KindFetch fetchNormal(const KindSource& source)
{
    return { applicationsOnShelf(Shelf::Normal, fileManagerId(source), source), {} };
}

KindFetch fetchUtilities(const KindSource& source)
{
    return { applicationsOnShelf(Shelf::Utilities, fileManagerId(source), source), {} };
}

KindFetch fetchSystem(const KindSource& source)
{
    auto fileManager = fileManagerId(source);
    auto list = applicationsOnShelf(Shelf::System, fileManager, source);
    if (fileManager) {
        auto found = std::find_if(list.begin(), list.end(), [&](const auto& target) { return lowered(target->launchId()) == *fileManager; });
        if (found != list.end())
            std::rotate(list.begin(), found, found + 1);
    }
    return { std::move(list), {} };
}

std::optional<TargetAbsence> absence(const std::string& launchId, const KindSource&)
{
    if (!launchId.ends_with(".desktop"))
        return std::nullopt;
    return TargetGoneCheck::applicationAbsence(launchId);
}

}

TargetKind normal()
{
    return { "applications", QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "Applications"),
             QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "No applications were found among the desktop's menu entries."), 2, false, fetchNormal, absence };
}

TargetKind utilities()
{
    return { "utilities", QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "Utilities"),
             QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "No utilities were found among the desktop's menu entries."), 3, false, fetchUtilities, absence };
}

TargetKind system()
{
    return { "system", QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "System"),
             QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "No system tools were found among the desktop's menu entries."), 4, false, fetchSystem, absence };
}

}
