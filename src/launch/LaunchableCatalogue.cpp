#include "launch/LaunchableCatalogue.h"

#include "launch/Application.h"
#include "launch/BookmarkPages.h"
#include "launch/BuiltInScripts.h"
#include "launch/DesktopEntries.h"
#include "launch/Script.h"
#include "launch/ScriptFolder.h"
#include "launch/TargetGoneCheck.h"
#include "launch/Workspace.h"
#include "platform/XdgPaths.h"

#include <algorithm>

namespace scriblo {

namespace {

// Plain comparison by character value: capitals before small letters, "10" before "9".
void sortByDisplayName(LaunchableList& list)
{
    std::stable_sort(list.begin(), list.end(), [](const auto& left, const auto& right) {
        return left->displayName() < right->displayName();
    });
}

bool hasCategory(const DesktopEntry& entry, const char* category)
{
    return std::find(entry.categories.begin(), entry.categories.end(), category) != entry.categories.end();
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

}

LaunchableCatalogue::LaunchableCatalogue(std::shared_ptr<Workspace> workspace, std::filesystem::path builtInScriptsFolder)
    : m_workspace(std::move(workspace))
    , m_builtInScriptsFolder(std::move(builtInScriptsFolder))
{
    for (auto& list : m_shelves)
        list = std::make_shared<const LaunchableList>();
}

void LaunchableCatalogue::fetchAll()
{
    fetchScriptArray();
    fetchWebPageArray();
    fetchNormalAppArray();
    fetchUtilitiesAppArray();
    fetchSystemAppArray();
}

std::filesystem::path LaunchableCatalogue::userScriptsFolder()
{
    return XdgPaths::dataHome() / "Scriblo/Scripts";
}

LaunchableListHandle LaunchableCatalogue::fetchScriptArray()
{
    LaunchableList list;
    appendScripts(list, m_builtInScriptsFolder, ScriptOrigin::BuiltIn);
    auto folder = ScriptFolder::ensureFolder(userScriptsFolder());
    if (folder)
        appendScripts(list, userScriptsFolder(), ScriptOrigin::User);
    sortByDisplayName(list);
    {
        std::lock_guard lock(m_mutex);
        m_userScriptsProblem = folder ? std::nullopt : std::optional(folder.error());
    }
    return publish(Shelf::Scripts, std::move(list));
}

void LaunchableCatalogue::appendScripts(LaunchableList& list, const std::filesystem::path& folder, ScriptOrigin origin) const
{
    for (const auto& file : ScriptFolder::programs(folder)) {
        auto name = ScriptFolder::displayName(file);
        auto icon = ScriptFolder::iconForFile(file);
        if (origin == ScriptOrigin::BuiltIn)
            list.push_back(std::make_shared<Script>(std::move(name), std::move(icon), file, BuiltInScripts::identity(file), m_workspace));
        else
            list.push_back(std::make_shared<Script>(std::move(name), std::move(icon), file, m_workspace));
    }
}

LaunchableListHandle LaunchableCatalogue::fetchWebPageArray()
{
    auto pages = BookmarkPages::pages(m_workspace);
    sortByDisplayName(pages.list);
    {
        std::lock_guard lock(m_mutex);
        m_skippedBookmarkFiles = pages.skipped;
    }
    return publish(Shelf::WebPages, std::move(pages.list));
}

LaunchableListHandle LaunchableCatalogue::fetchNormalAppArray()
{
    return publish(Shelf::NormalApps, applicationsOnShelf(Shelf::NormalApps, fileManagerId()));
}

LaunchableListHandle LaunchableCatalogue::fetchUtilitiesAppArray()
{
    return publish(Shelf::UtilitiesApps, applicationsOnShelf(Shelf::UtilitiesApps, fileManagerId()));
}

LaunchableListHandle LaunchableCatalogue::fetchSystemAppArray()
{
    auto fileManager = fileManagerId();
    auto list = applicationsOnShelf(Shelf::SystemApps, fileManager);
    // The file manager leads the system list, as the desktop's own "Files" does.
    if (fileManager) {
        auto found = std::find_if(list.begin(), list.end(), [&](const auto& target) { return lowered(target->launchId()) == *fileManager; });
        if (found != list.end())
            std::rotate(list.begin(), found, found + 1);
    }
    return publish(Shelf::SystemApps, std::move(list));
}

std::optional<std::string> LaunchableCatalogue::fileManagerId() const
{
    auto fileManager = m_workspace->defaultApplicationForType("inode/directory");
    return fileManager ? std::optional<std::string>(lowered(*fileManager)) : std::nullopt;
}

LaunchableList LaunchableCatalogue::applicationsOnShelf(Shelf wanted, const std::optional<std::string>& fileManager) const
{
    LaunchableList list;
    for (auto& entry : DesktopEntries::shownEntries()) {
        if (entry.id == ownDesktopId || entry.id == siblingDesktopId)
            continue;
        // The file manager is a system application whatever its categories say: GNOME's
        // Files and Cinnamon's Nemo give only Utility.
        bool system = hasCategory(entry, "System") || hasCategory(entry, "Settings") || lowered(entry.id) == fileManager;
        Shelf shelf = system ? Shelf::SystemApps : hasCategory(entry, "Utility") ? Shelf::UtilitiesApps : Shelf::NormalApps;
        if (shelf == wanted)
            list.push_back(std::make_shared<Application>(std::move(entry.name), std::move(entry.icon), std::move(entry.id), m_workspace));
    }
    sortByDisplayName(list);
    return list;
}

LaunchableListHandle LaunchableCatalogue::publish(Shelf shelf, LaunchableList list)
{
    auto handle = std::make_shared<const LaunchableList>(std::move(list));
    std::lock_guard lock(m_mutex);
    m_shelves[size_t(shelf)] = handle;
    return handle;
}

LaunchableListHandle LaunchableCatalogue::shelf(Shelf shelf) const
{
    std::lock_guard lock(m_mutex);
    return m_shelves[size_t(shelf)];
}

LaunchableListHandle LaunchableCatalogue::scriptArray() const { return shelf(Shelf::Scripts); }
LaunchableListHandle LaunchableCatalogue::webPageArray() const { return shelf(Shelf::WebPages); }
LaunchableListHandle LaunchableCatalogue::normalAppArray() const { return shelf(Shelf::NormalApps); }
LaunchableListHandle LaunchableCatalogue::utilitiesAppArray() const { return shelf(Shelf::UtilitiesApps); }
LaunchableListHandle LaunchableCatalogue::systemAppArray() const { return shelf(Shelf::SystemApps); }

std::shared_ptr<Launchable> LaunchableCatalogue::findLaunchableWithId(const std::string& storedId) const
{
    const auto launchId = BuiltInScripts::currentIdentity(storedId);
    for (size_t index = 0; index < size_t(Shelf::Count); ++index) {
        auto list = shelf(Shelf(index));
        for (const auto& target : *list) {
            if (target->launchId() == launchId)
                return target;
        }
    }
    return nullptr;
}

TargetAbsence LaunchableCatalogue::absence(const std::string& launchId) const
{
    if (launchId.starts_with('/'))
        return TargetGoneCheck::scriptAbsence(launchId, { m_builtInScriptsFolder, userScriptsFolder() });
    if (TargetGoneCheck::isPage(launchId))
        return TargetGoneCheck::pageAbsence(launchId);
    if (launchId.ends_with(".desktop"))
        return TargetGoneCheck::applicationAbsence(launchId);
    return TargetAbsence::OutOfReach;
}

std::vector<std::string> LaunchableCatalogue::skippedBookmarkFiles() const
{
    std::lock_guard lock(m_mutex);
    return m_skippedBookmarkFiles;
}

std::optional<std::string> LaunchableCatalogue::userScriptsProblem() const
{
    std::lock_guard lock(m_mutex);
    return m_userScriptsProblem;
}

}
