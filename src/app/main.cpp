#include "app/commands/CommandLine.h"
#include "app/demo/DemoCommand.h"
#include "app/commands/GesturesCommand.h"
#include "app/commands/InstallCommand.h"
#include "app/RemovedGesturesFile.h"
#include "app/commands/SettingsCommand.h"
#include "app/commands/Subcommand.h"
#include "app/commands/TargetsCommand.h"
#include "app/commands/TouchCommand.h"
#include "multitouch/MultitouchManager.h"
#include "platform/Translations.h"
#include "platform/PropertyListUserDefaults.h"
#include "app/AppController.h"
#include "files/HugePages.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>

using namespace scriblo;

static const Subcommand subcommands[] = {
    { "gestures", GesturesCommand::usage, GesturesCommand::run },
    { "targets", TargetsCommand::usage, TargetsCommand::run },
    { "settings", SettingsCommand::usage, SettingsCommand::run },
    { "touch", TouchCommand::usage, TouchCommand::run },
    { "install", InstallCommand::usage, InstallCommand::run },
    { "demo", DemoCommand::usage, DemoCommand::run },
};

static void printHelp()
{
    std::cout << "Usage: scriblo [--store FILE]\n"
                 "   or: scriblo COMMAND\n"
                 "Draw a gesture, launch what it stands for. Without a command, Scriblo runs and\n"
                 "waits for a start gesture; a second start shows or hides the running one's\n"
                 "setup window.\n\n"
                 "Commands:\n";
    for (const auto& subcommand : subcommands)
        std::cout << subcommand.usage;
    std::cout << "\n  --help      show this help\n"
                 "  --version   show the version\n";
}

static int dispatch(CommandLine& commandLine)
{
    const CommandServices services { &MultitouchManager::sharedMultitouchManager };
    auto word = commandLine.next();
    if (*word == "--help" || *word == "-h") {
        printHelp();
        return 0;
    }
    if (*word == "--version") {
        commandLine.expectEnd();
        std::cout << "scriblo " SCRIBLO_VERSION "\n";
        return 0;
    }
    for (const auto& subcommand : subcommands) {
        if (*word != subcommand.name)
            continue;
        // Anywhere after the command, as other tools take it: `gestures import --help`
        // must not read a file of that name (`./--help` still does).
        if (commandLine.takeFlag("--help") || commandLine.takeFlag("-h")) {
            std::cout << "Usage: scriblo COMMAND …\n" << subcommand.usage;
            return 0;
        }
        return subcommand.run(commandLine, services);
    }
    throw UsageError("unknown command '" + *word + "' (see scriblo --help)");
}

static int runApplication(int argc, char** argv, const std::optional<std::string>& storePath)
{
    // Override-redirect windows and input grabs are X11's; a Wayland session serves them
    // through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (auto display = AppController::checkDisplay(); !display) {
        std::cerr << "scriblo: " << display.error() << "\n";
        return 1;
    }
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Scriblo"));
    application.setDesktopFileName(QStringLiteral("org.scriblo.Scriblo"));
    application.setQuitOnLastWindowClosed(false);
    Translations::install(application);
    AppController controller(storePath ? std::filesystem::path(*storePath) : PropertyListUserDefaults::standardPath(),
                             std::make_shared<RemovedGesturesFile>(RemovedGesturesFile::standardPath()));
    if (auto exitStatus = controller.start())
        return *exitStatus;
    return application.exec();
}

// Nothing but an optional --store: the application itself rather than a command.
static std::optional<std::optional<std::string>> applicationStore(const std::vector<std::string>& arguments)
{
    CommandLine commandLine(arguments);
    auto store = commandLine.takeOption("--store");
    if (!commandLine.atEnd())
        return std::nullopt;
    return store;
}

// Reading a full store, or a file of one to import, costs as much in page faults as in
// parsing; below this size a restart costs more than huge pages save.
static bool namesLargeFile(const std::vector<std::string>& arguments)
{
    constexpr std::uintmax_t largeFileSize = 16 << 20;
    std::optional<std::string> store;
    try {
        store = CommandLine(arguments).takeOption("--store");
    } catch (const UsageError&) {
        // The command's own parse refuses the same --store before any file is read, and
        // says why; a restart would only delay that.
        return false;
    }
    std::vector<std::filesystem::path> files(arguments.begin(), arguments.end());
    files.push_back(store ? std::filesystem::path(*store) : PropertyListUserDefaults::standardPath());
    return std::any_of(files.begin(), files.end(), [](const std::filesystem::path& file) {
        std::error_code error;
        auto size = std::filesystem::file_size(file, error);
        return !error && size >= largeFileSize;
    });
}

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!HugePages::settleAfterRestart() && namesLargeFile(arguments))
        HugePages::restartWithAdvisedHeap(argv);
    CommandLine commandLine(arguments);
    try {
        if (auto store = applicationStore(arguments))
            return runApplication(argc, argv, *store);
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
