#include "app/commands/TargetsCommand.h"

#include "app/commands/MessageName.h"
#include "app/commands/TabSeparated.h"
#include "launch/Application.h"
#include "launch/BuiltInScripts.h"
#include "launch/DesktopEntries.h"
#include "launch/DesktopWorkspace.h"
#include "launch/LaunchableCatalogue.h"
#include "launch/TargetKinds.h"

#include <iostream>

namespace scriblo {

const char TargetsCommand::usage[] =
    "  targets list [--kind KIND]         launch targets: KIND, IDENTITY, NAME; KIND is one of\n"
    "                                     scripts, webpages, applications, utilities, system;\n"
    "                                     tabs, line breaks and \\ in fields as \\t \\n \\r \\\\\n"
    "  targets launch IDENTITY [--dry-run]  launch a target, or say what would be run\n";

namespace {

// The kinds' names, in the order in which lookups search the lists, so the first line
// with an identity is the target that `launch` picks.
std::string kindNames()
{
    const auto& order = TargetKinds::lookupOrder();
    std::string names;
    for (size_t index = 0; index < order.size(); ++index) {
        if (index > 0)
            names += index + 1 == order.size() ? " or " : ", ";
        names += TargetKinds::all()[order[index]].name;
    }
    return names;
}

void checkKind(const std::optional<std::string>& wanted)
{
    if (wanted && !TargetKinds::indexOf(*wanted))
        throw UsageError("unknown kind '" + *wanted + "' (" + kindNames() + ")");
}

}

std::unique_ptr<LaunchableCatalogue> TargetsCommand::fetchedCatalogue()
{
    auto catalogue = std::make_unique<LaunchableCatalogue>(std::make_shared<DesktopWorkspace>(), BuiltInScripts::folder());
    catalogue->fetchAll();
    if (auto problem = catalogue->userScriptsProblem())
        std::cerr << "scriblo: warning: " << *problem << "\n";
    for (const auto& skipped : catalogue->skippedBookmarkFiles())
        std::cerr << "scriblo: skipped bookmarks " << skipped << "\n";
    return catalogue;
}

namespace {

int list(CommandLine& commandLine)
{
    auto wanted = commandLine.takeOption("--kind");
    commandLine.expectEnd();
    checkKind(wanted);
    auto catalogue = TargetsCommand::fetchedCatalogue();
    for (size_t kind : TargetKinds::lookupOrder()) {
        const char* name = TargetKinds::all()[kind].name;
        if (wanted && *wanted != name)
            continue;
        auto targets = catalogue->list(kind);
        for (const auto& target : *targets)
            std::cout << name << '\t' << TabSeparated::escaped(target->launchId()) << '\t' << TabSeparated::escaped(target->displayName()) << '\n';
    }
    return 0;
}

int launch(CommandLine& commandLine)
{
    bool dryRun = commandLine.takeFlag("--dry-run");
    auto identity = commandLine.requiredIdentity("a target identity");
    commandLine.expectEnd();
    auto target = TargetsCommand::fetchedCatalogue()->findLaunchableWithId(identity);
    if (!target)
        throw InputError("no launch target has the identity '" + MessageName::of(identity) + "' (see scriblo targets list)");
    if (dryRun) {
        std::cout << target->description();
        // For an application the program line tells more than the entry's name.
        if (auto entry = std::dynamic_pointer_cast<Application>(target) ? DesktopEntries::entryWithId(identity) : std::nullopt)
            std::cout << ": " << entry->commandLine << " (" << entry->file.string() << ")";
        std::cout << '\n';
        return 0;
    }
    if (auto launched = target->launchHere(); !launched)
        throw InputError("could not launch " + identity + ": " + launched.error());
    return 0;
}

}

int TargetsCommand::run(CommandLine& commandLine, const CommandServices&)
{
    auto command = commandLine.required("a targets command (list or launch)");
    if (command == "list")
        return list(commandLine);
    if (command == "launch")
        return launch(commandLine);
    throw UsageError("unknown targets command '" + command + "'");
}

}
