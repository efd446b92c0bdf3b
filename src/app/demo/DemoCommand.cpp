#include "app/demo/DemoCommand.h"

#include "app/demo/DemoNarrator.h"
#include "app/demo/DemoSamples.h"
#include "app/demo/DemoSession.h"
#include "app/demo/DemoTour.h"
#include "app/RemovedGesturesFile.h"
#include "launch/DesktopWorkspace.h"
#include "launch/DryRunWorkspace.h"
#include "platform/PropertyListUserDefaults.h"
#include "platform/Translations.h"
#include "platform/X11StartupNotifier.h"
#include "app/AppController.h"

#include <QApplication>

#include <csignal>
#include <cstdlib>
#include <iostream>

namespace scriblo {

const char DemoCommand::usage[] =
    "  demo [--screenshots DIR]           a narrated run of the real program on a private X server\n"
    "                                     (packages xvfb, dbus-daemon); nothing is launched;\n"
    "                                     screenshots go to DIR (default: ./scriblo-demo)\n";

namespace {

void interrupt(int)
{
    DemoTour::interrupted = 1;
}

// Ctrl-C ends the tour at its next wait, so the servers and the home still go.
void catchInterrupts()
{
    struct sigaction action = {};
    action.sa_handler = interrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int fail(const QString& why)
{
    std::cerr << "scriblo demo: " << why.toStdString() << std::endl;
    return 1;
}

std::filesystem::path prepareSamples(const DemoSession& session)
{
    auto store = PropertyListUserDefaults::standardPath();
    std::filesystem::create_directories(store.parent_path());
    auto gestures = DemoSamples::writeStore(store);
    if (!gestures)
        throw InputError(gestures.error());
    auto recording = DemoSamples::writeTouchpadRecording(session.home() / "tap-and-draw.evemu");
    if (!recording)
        throw InputError(recording.error());
    setenv("SCRIBLO_TOUCHPAD_REPLAY", recording->c_str(), 1);
    return store;
}

int runTour(const std::filesystem::path& store, const std::filesystem::path& screenshots)
{
    static int argc = 1;
    static char name[] = "scriblo";
    static char* argv[] = { name, nullptr };
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Scriblo"));
    application.setDesktopFileName(QStringLiteral("org.scriblo.Scriblo"));
    application.setQuitOnLastWindowClosed(false);
    // The tour shows the real windows, so they speak the language they would speak to
    // the user who runs it.
    Translations::install(application);
    DemoNarrator narrator;
    auto workspace = std::make_shared<DryRunWorkspace>(std::make_shared<DesktopWorkspace>(std::make_shared<X11StartupNotifier>()),
                                                       [&narrator] { narrator.launchHeldBack(); });
    AppController controller(store, std::make_shared<RemovedGesturesFile>(RemovedGesturesFile::standardPath()), workspace);
    if (controller.start())
        return fail(QStringLiteral("the application did not start"));
    // The application's own handler would quit an event loop the tour does not run.
    catchInterrupts();
    narrator.follow(*controller.gestureRecognitionController(), *controller.gestureSetupController());
    DemoTour tour(controller, narrator, screenshots);
    if (!tour.run())
        return fail(tour.failure());
    narrator.say(QStringLiteral("screenshots in ") + QString::fromStdString(screenshots.string()));
    return 0;
}

}

int DemoCommand::run(CommandLine& commandLine, const CommandServices&)
{
    std::filesystem::path screenshots = commandLine.takeOption("--screenshots").value_or("scriblo-demo");
    commandLine.expectEnd();
    std::error_code error;
    if (std::filesystem::exists(screenshots, error) && !std::filesystem::is_directory(screenshots, error))
        throw UsageError(screenshots.string() + " is a file, not a folder for the screenshots");
    if (std::filesystem::create_directories(screenshots, error); error)
        throw InputError(screenshots.string() + ": " + error.message());
    screenshots = std::filesystem::absolute(screenshots);
    catchInterrupts();
    auto session = DemoSession::start();
    if (!session)
        return fail(QString::fromStdString(session.error()));
    auto store = prepareSamples(**session);
    if (DemoTour::interrupted)
        return fail(QStringLiteral("interrupted"));
    return runTour(store, screenshots);
}

}
