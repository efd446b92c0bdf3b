#include "launch/ScriptKind.h"

#include "launch/BuiltInScripts.h"
#include "launch/LaunchableCatalogue.h"
#include "launch/Script.h"
#include "launch/ScriptFolder.h"
#include "launch/TargetGoneCheck.h"
#include "launch/TargetKinds.h"

namespace scriblo::ScriptKind {

namespace {

enum class ScriptOrigin { BuiltIn, User };

void appendScripts(LaunchableList& list, const std::filesystem::path& folder, ScriptOrigin origin, const KindSource& source)
{
    for (const auto& file : ScriptFolder::programs(folder)) {
        auto name = origin == ScriptOrigin::BuiltIn ? BuiltInScripts::displayName(file) : ScriptFolder::displayName(file);
        auto icon = ScriptFolder::iconForFile(file);
        if (origin == ScriptOrigin::BuiltIn)
            list.push_back(std::make_shared<Script>(std::move(name), std::move(icon), file, BuiltInScripts::identity(file), source.workspace));
        else
            list.push_back(std::make_shared<Script>(std::move(name), std::move(icon), file, source.workspace));
    }
}

KindFetch fetch(const KindSource& source)
{
    KindFetch fetched;
    appendScripts(fetched.list, source.builtInScriptsFolder, ScriptOrigin::BuiltIn, source);
    auto userFolder = LaunchableCatalogue::userScriptsFolder();
    if (auto folder = ScriptFolder::ensureFolder(userFolder); !folder)
        fetched.problems.push_back(folder.error());
    else
        appendScripts(fetched.list, userFolder, ScriptOrigin::User, source);
    TargetKinds::sortByDisplayName(fetched.list);
    return fetched;
}

std::optional<TargetAbsence> absence(const std::string& launchId, const KindSource& source)
{
    if (!launchId.starts_with('/'))
        return std::nullopt;
    return TargetGoneCheck::scriptAbsence(launchId, { source.builtInScriptsFolder, LaunchableCatalogue::userScriptsFolder() });
}

}

TargetKind kind()
{
    return { "scripts", QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "Scripts"),
             QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "No scripts yet. Executable files in Scriblo's Scripts folder are listed here."), 0, true, fetch, absence };
}

}
