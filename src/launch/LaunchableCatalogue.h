#pragma once

#include "launch/TargetKind.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

using LaunchableListHandle = std::shared_ptr<const LaunchableList>;

// Everything a gesture can be bound to, one list for each kind in TargetKinds. Each fetch builds its list
// completely and then publishes it whole, so lookups from other threads see either the
// old list or the new one, never one under construction.
class LaunchableCatalogue {
public:
    // Scriblo's own desktop entry and its sibling's are never listed.
    static constexpr const char* ownDesktopId = "org.scriblo.Scriblo.desktop";
    static constexpr const char* siblingDesktopId = "org.scriblo.ScribloHelper.desktop";

    LaunchableCatalogue(std::shared_ptr<Workspace> workspace, std::filesystem::path builtInScriptsFolder);

    // Every kind's fetch, in lookup order.
    void fetchAll();

    // Rebuilds the list of the kind at this index of TargetKinds::all(), or of the kind
    // with this command-line name.
    LaunchableListHandle fetch(size_t kind);
    LaunchableListHandle fetch(const std::string& kindName);
    LaunchableListHandle list(size_t kind) const;
    LaunchableListHandle list(const std::string& kindName) const;

    // The first target with exactly this identity, searching the lists in lookup order.
    // A built-in script stored by an earlier build under its path is found too.
    std::shared_ptr<Launchable> findLaunchableWithId(const std::string& storedId) const;

    // What became of a target that a lookup missed, so that its gesture is deleted only
    // when it is really gone: the first kind in lookup order whose shape the identity has
    // rebuilds its list, and the answer is `Gone` only when the rebuild worked and lacks
    // it. Identities of no known kind are never gone. Reads the disk; safe from any thread.
    TargetAbsence absence(const std::string& launchId) const;

    // Why the user's scripts folder could not be made at the last script fetch.
    std::optional<std::string> userScriptsProblem() const;
    // The bookmarks files the last web page fetch skipped, each with its reason.
    std::vector<std::string> skippedBookmarkFiles() const;

    // $XDG_DATA_HOME/Scriblo/Scripts.
    static std::filesystem::path userScriptsFolder();

private:
    std::vector<std::string> problems(const std::string& kindName) const;

    const KindSource m_source;
    mutable std::mutex m_mutex;
    std::vector<LaunchableListHandle> m_lists;
    std::vector<std::vector<std::string>> m_problems;
};

}
