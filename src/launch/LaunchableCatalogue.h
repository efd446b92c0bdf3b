#pragma once

#include "launch/Launchable.h"
#include "base/TargetAbsence.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class Workspace;

using LaunchableList = std::vector<std::shared_ptr<Launchable>>;
using LaunchableListHandle = std::shared_ptr<const LaunchableList>;

// Everything a gesture can be bound to, in five lists: scripts, web pages, ordinary
// applications, utilities and system applications. Each fetch builds its list
// completely and then publishes it whole, so lookups from other threads see either the
// old list or the new one, never one under construction.
class LaunchableCatalogue {
public:
    // Scriblo's own desktop entry and its sibling's are never listed.
    static constexpr const char* ownDesktopId = "org.scriblo.Scriblo.desktop";
    static constexpr const char* siblingDesktopId = "org.scriblo.ScribloHelper.desktop";

    LaunchableCatalogue(std::shared_ptr<Workspace> workspace, std::filesystem::path builtInScriptsFolder);

    // All five fetches, in the order of the lists above.
    void fetchAll();

    LaunchableListHandle fetchScriptArray();
    LaunchableListHandle fetchWebPageArray();
    LaunchableListHandle fetchNormalAppArray();
    LaunchableListHandle fetchUtilitiesAppArray();
    LaunchableListHandle fetchSystemAppArray();

    LaunchableListHandle scriptArray() const;
    LaunchableListHandle webPageArray() const;
    LaunchableListHandle normalAppArray() const;
    LaunchableListHandle utilitiesAppArray() const;
    LaunchableListHandle systemAppArray() const;

    // The first target with exactly this identity, searching the lists in the order above.
    // A built-in script stored by an earlier build under its path is found too.
    std::shared_ptr<Launchable> findLaunchableWithId(const std::string& storedId) const;

    // What became of a target that a lookup missed, so that its gesture is deleted only
    // when it is really gone: the list the identity belongs to is rebuilt (scripts for
    // absolute paths, a browser's bookmarks for "<browser id>:" prefixes, applications
    // for desktop IDs) and the answer is `Gone` only when the rebuild worked and lacks it.
    // Identities of no known kind are never gone. Reads the disk; safe from any thread.
    TargetAbsence absence(const std::string& launchId) const;

    // Why the user's scripts folder could not be made at the last script fetch.
    std::optional<std::string> userScriptsProblem() const;
    // The bookmarks files the last web page fetch skipped, each with its reason.
    std::vector<std::string> skippedBookmarkFiles() const;

    // $XDG_DATA_HOME/Scriblo/Scripts.
    static std::filesystem::path userScriptsFolder();

private:
    enum class Shelf { Scripts, WebPages, NormalApps, UtilitiesApps, SystemApps, Count };
    enum class ScriptOrigin { BuiltIn, User };

    LaunchableListHandle publish(Shelf shelf, LaunchableList list);
    LaunchableListHandle shelf(Shelf shelf) const;
    // The default file manager's desktop file ID, in small letters.
    std::optional<std::string> fileManagerId() const;
    LaunchableList applicationsOnShelf(Shelf shelf, const std::optional<std::string>& fileManager) const;
    void appendScripts(LaunchableList& list, const std::filesystem::path& folder, ScriptOrigin origin) const;

    const std::shared_ptr<Workspace> m_workspace;
    const std::filesystem::path m_builtInScriptsFolder;
    mutable std::mutex m_mutex;
    LaunchableListHandle m_shelves[size_t(Shelf::Count)];
    std::optional<std::string> m_userScriptsProblem;
    std::vector<std::string> m_skippedBookmarkFiles;
};

}
