#include "app/CommandLine.h"
#include "app/GesturesCommand.h"
#include "app/InstallCommand.h"
#include "app/SettingsCommand.h"
#include "app/Subcommand.h"
#include "app/TargetsCommand.h"
#include "app/TouchCommand.h"

#include <cstdio>
#include <exception>
#include <iostream>

using namespace scriblo;

static const Subcommand subcommands[] = {
    { "gestures", GesturesCommand::usage, GesturesCommand::run },
    { "targets", TargetsCommand::usage, TargetsCommand::run },
    { "settings", SettingsCommand::usage, SettingsCommand::run },
    { "touch", TouchCommand::usage, TouchCommand::run },
    { "install", InstallCommand::usage, InstallCommand::run },
};

static void printHelp()
{
    std::cout << "Usage: scriblo [COMMAND]\n"
                 "Draw a gesture, launch what it stands for.\n\n"
                 "Commands:\n";
    for (const auto& subcommand : subcommands)
        std::cout << subcommand.usage;
    std::cout << "\n  --help      show this help\n"
                 "  --version   show the version\n";
}

static int dispatch(CommandLine& commandLine)
{
    auto word = commandLine.next();
    if (!word || *word == "--help" || *word == "-h") {
        printHelp();
        return 0;
    }
    if (*word == "--version") {
        std::cout << "scriblo " SCRIBLO_VERSION "\n";
        return 0;
    }
    for (const auto& subcommand : subcommands) {
        if (*word == subcommand.name)
            return subcommand.run(commandLine);
    }
    throw UsageError("unknown command '" + *word + "' (see scriblo --help)");
}

int main(int argc, char** argv)
{
    CommandLine commandLine(std::vector<std::string>(argv + 1, argv + argc));
    try {
        return dispatch(commandLine);
    } catch (const UsageError& error) {
        std::cerr << "scriblo: " << error.what() << "\n";
        return 2;
    } catch (const InputError& error) {
        std::cerr << "scriblo: " << error.what() << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "scriblo: " << error.what() << "\n";
        return 1;
    }
}
