#include "launch/LaunchableCatalogue.h"

#include "launch/BuiltInScripts.h"
#include "launch/TargetKinds.h"
#include "platform/XdgPaths.h"

namespace scriblo {

LaunchableCatalogue::LaunchableCatalogue(std::shared_ptr<Workspace> workspace, std::filesystem::path builtInScriptsFolder)
    : m_source { std::move(workspace), std::move(builtInScriptsFolder) }
    , m_lists(TargetKinds::all().size(), std::make_shared<const LaunchableList>())
    , m_problems(TargetKinds::all().size())
{
}

void LaunchableCatalogue::fetchAll()
{
    for (size_t kind : TargetKinds::lookupOrder())
        fetch(kind);
}

std::filesystem::path LaunchableCatalogue::userScriptsFolder()
{
    return XdgPaths::dataHome() / "Scriblo/Scripts";
}

LaunchableListHandle LaunchableCatalogue::fetch(size_t kind)
{
    auto fetched = TargetKinds::all().at(kind).fetch(m_source);
    auto handle = std::make_shared<const LaunchableList>(std::move(fetched.list));
    std::lock_guard lock(m_mutex);
    m_lists[kind] = handle;
    m_problems[kind] = std::move(fetched.problems);
    return handle;
}

LaunchableListHandle LaunchableCatalogue::list(size_t kind) const
{
    std::lock_guard lock(m_mutex);
    return m_lists.at(kind);
}

LaunchableListHandle LaunchableCatalogue::fetch(const std::string& kindName) { return fetch(TargetKinds::indexOf(kindName).value()); }
LaunchableListHandle LaunchableCatalogue::list(const std::string& kindName) const { return list(TargetKinds::indexOf(kindName).value()); }

std::shared_ptr<Launchable> LaunchableCatalogue::findLaunchableWithId(const std::string& storedId) const
{
    const auto launchId = BuiltInScripts::currentIdentity(storedId);
    for (size_t kind : TargetKinds::lookupOrder()) {
        // Held here: a refetch on another thread may replace the catalogue's own handle
        // while this one is searched.
        auto targets = list(kind);
        for (const auto& target : *targets) {
            if (target->launchId() == launchId)
                return target;
        }
    }
    return nullptr;
}

TargetAbsence LaunchableCatalogue::absence(const std::string& launchId) const
{
    for (size_t kind : TargetKinds::lookupOrder()) {
        if (auto absence = TargetKinds::all()[kind].absence(launchId, m_source))
            return *absence;
    }
    return TargetAbsence::OutOfReach;
}

std::vector<std::string> LaunchableCatalogue::problems(const std::string& kindName) const
{
    std::lock_guard lock(m_mutex);
    return m_problems.at(TargetKinds::indexOf(kindName).value());
}

std::vector<std::string> LaunchableCatalogue::skippedBookmarkFiles() const
{
    return problems("webpages");
}

std::optional<std::string> LaunchableCatalogue::userScriptsProblem() const
{
    auto found = problems("scripts");
    return found.empty() ? std::nullopt : std::optional<std::string>(found.front());
}

}
