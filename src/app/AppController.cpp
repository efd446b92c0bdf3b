#include "app/AppController.h"

#include "app/GestureFileTransfer.h"

#include "core/GestureRecognitionModel.h"
#include "install/MoveToApplicationsFolder.h"
#include "launch/BuiltInScripts.h"
#include "launch/DesktopWorkspace.h"
#include "launch/XdgAutostart.h"
#include "multitouch/MTDevice.h"
#include "multitouch/MultitouchManager.h"
#include "platform/DBusNotifier.h"
#include "platform/DBusSingleInstance.h"
#include "platform/FileChangeWatcher.h"
#include "platform/InputSourceReport.h"
#include "platform/LinuxEventFilter.h"
#include "platform/PortalDarkAppearance.h"
#include "platform/PropertyListUserDefaults.h"
#include "platform/SerialWorkQueue.h"
#include "platform/X11Compositor.h"
#include "platform/X11Connection.h"
#include "platform/X11StartupNotifier.h"
#include "appearance/DarkMode.h"
#include "appearance/StandardLook.h"
#include "recognition/GestureRecognitionController.h"
#include "recognition/GestureRecognitionView.h"
#include "setup/GestureSetupController.h"
#include "setup/LastDrawingWindow.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QLoggingCategory>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace scriblo {

Q_LOGGING_CATEGORY(applicationStore, "scriblo.application.store")

namespace {

// Written by the signal handler, read by the event loop: the only safe way out of a
// handler into Qt.
int quitSignalPipe[2] = { -1, -1 };

void requestQuit(int)
{
    char byte = 1;
    [[maybe_unused]] auto written = write(quitSignalPipe[1], &byte, 1);
}

MultitouchManager& multitouch()
{
    return MultitouchManager::sharedMultitouchManager();
}

}

AppController::AppController(std::filesystem::path storePath, std::shared_ptr<RemovedGestures> removedGestures,
                             std::shared_ptr<Workspace> workspace, QObject* parent)
    : QObject(parent)
    , m_storePath(std::move(storePath))
    , m_workspace(std::move(workspace))
    , m_removedGestures(std::move(removedGestures))
{
}

AppController::~AppController()
{
    close();
}

Expected<Done> AppController::checkDisplay()
{
    return X11Connection::checkDisplay();
}

std::optional<int> AppController::start()
{
    if (!claimSingleInstance())
        return 0;
    if (!openPreferences())
        return 1;
    // The offer to move a downloaded AppImage comes before any window of ours opens.
    if (MoveToApplicationsFolder::run(*m_preferences) == MoveOutcome::Quit)
        return 0;
    createPlatformServices();
    createControllers();
    auto mouse = m_gestureRecognitionController->applicationDidFinishLaunching();
    m_gestureSetupController->applicationDidFinishLaunching();
    loadGestures();
    printInputSources(InputSourceReport::mouseLine(mouse));
    followStoreChanges();
    watchQuitSignals();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppController::close);
    return std::nullopt;
}

bool AppController::claimSingleInstance()
{
    m_singleInstance = std::make_unique<DBusSingleInstance>(QDBusConnection::sessionBus());
    auto role = m_singleInstance->claim();
    if (!role) {
        std::cerr << "scriblo: " << role.error() << "\n";
        return true;
    }
    if (*role == SingleInstance::Role::Second)
        return false;
    connect(m_singleInstance.get(), &SingleInstance::reopen, this,
            [this] { m_gestureSetupController->toggleSetupWindow(); });
    return true;
}

bool AppController::openPreferences()
{
    m_preferences = std::make_shared<PropertyListUserDefaults>(m_storePath);
    // A store that cannot be read is not an empty one: running on would write defaults
    // for settings the user has.
    if (auto failure = m_preferences->failure()) {
        std::cerr << "scriblo: " << m_storePath.string() << ": " << failure->message << "\n";
        return false;
    }
    if (m_preferences->isDamaged())
        std::cerr << "scriblo: warning: " << m_storePath.string()
                  << ": not a property list of settings; read as empty, and kept as a copy beside it when a change replaces it\n";
    return true;
}

void AppController::createPlatformServices()
{
    m_eventFilter = std::make_unique<LinuxEventFilter>([](bool grabbed) { return multitouch().setTouchpadsGrabbed(grabbed); });
    if (auto compositor = X11Compositor::create())
        m_compositor = std::move(*compositor);
    if (!m_workspace)
        m_workspace = std::make_shared<DesktopWorkspace>(std::make_shared<X11StartupNotifier>());
    m_darkAppearance = std::make_unique<PortalDarkAppearance>(QDBusConnection::sessionBus());
    m_notifier = std::make_shared<DBusNotifier>(QDBusConnection::sessionBus(), std::cerr);
    connect(m_darkAppearance.get(), &DarkAppearance::darkChanged, this, [](bool dark) { DarkMode::setDark(dark); });
    StandardLook::follow();
}

void AppController::createControllers()
{
    // Made first: a store without settings gets their defaults written at once, which
    // for a full store takes a quarter of a second, and the tray icon would wait for it.
    m_storeWrites = std::make_unique<SerialWorkQueue>();
    GestureSetupController::Services setupServices;
    setupServices.model = {
        m_workspace,
        BuiltInScripts::folder(),
        m_preferences,
        std::make_shared<XdgAutostart>(XdgAutostart::runningExecutable()),
        // Counting touchpads not readable yet: a first start before the udev rule takes
        // effect must not settle on mouse mode for good.
        [] { return multitouch().touchpadPresent(); },
    };
    setupServices.model.writes = m_storeWrites.get();
    setupServices.clock = &m_clock;
    setupServices.timers = &m_timers;
    setupServices.multitouch = &multitouch();
    m_gestureSetupController = std::make_unique<GestureSetupController>(std::move(setupServices));
    connect(m_gestureSetupController.get(), &GestureSetupController::quitRequested, this, &AppController::closeAndQuit);
    GestureRecognitionController::Services recognitionServices {
        m_clock,
        m_timers,
        *m_preferences,
        *m_storeWrites,
        m_gestureSetupController->targetsAndSettings(),
        multitouch(),
        *m_eventFilter,
        [this] { return m_gestureSetupController->isSetupWindowVisible(); },
        m_compositor && m_compositor->isCompositing(),
        LinuxEventFilter::currentSession() == LinuxEventFilter::Session::Wayland,
        m_removedGestures,
        m_notifier,
    };
    m_gestureRecognitionController = std::make_unique<GestureRecognitionController>(std::move(recognitionServices));
    if (m_compositor)
        connect(m_compositor.get(), &Compositor::compositingChanged, m_gestureRecognitionController.get(),
                &GestureRecognitionController::setCompositing);
    // The setup side is made first because the recognition side reads the settings
    // through it; it learns of the recognition side once that exists.
    GestureRecognitionController* recognition = m_gestureRecognitionController.get();
    // Read before the gestures load, whose outcome comes back after it.
    m_gestureSetupController->targetsAndSettings().targetNames().load();
    m_gestureSetupController->setRecognitionSide({
        &recognition->recognitionModel(),
        [recognition] { return recognition->recognitionView() && recognition->recognitionView()->detectingInput(); },
        m_storeWrites.get(),
    });
    connectLastDrawing();
    connectGestureFiles();
}

// The drawing the recognition side saw last goes to the setup side's Last Drawing, which
// also carries out the offer an explained miss makes, with its Undo at hand.
void AppController::connectLastDrawing()
{
    GestureRecognitionController* recognition = m_gestureRecognitionController.get();
    GestureSetupController* setup = m_gestureSetupController.get();
    connect(recognition, &GestureRecognitionController::lastDrawingChanged, setup, [recognition, setup] {
        if (recognition->lastDrawing())
            setup->setLastDrawing(*recognition->lastDrawing());
    });
    connect(recognition, &GestureRecognitionController::additionRequested, setup, [setup](const QString& identity) {
        setup->showLastDrawing();
        if (LastDrawingWindow* window = setup->lastDrawingWindow())
            window->addTo(identity.toStdString());
    });
}

// Import and export, asked for from the tray or, without one, from the setup window;
// what an import stores shows at once on the setup side.
void AppController::connectGestureFiles()
{
    TargetsAndSettings& targetsAndSettings = m_gestureSetupController->targetsAndSettings();
    m_gestureFiles = std::make_unique<GestureFileTransfer>(
        m_gestureRecognitionController->recognitionModel(), *m_storeWrites, targetsAndSettings.catalogue(),
        [&targetsAndSettings] { return targetsAndSettings.settings().minimumRecognitionScore(); }, m_notifier);
    connect(m_gestureSetupController.get(), &GestureSetupController::importRequested, m_gestureFiles.get(),
            &GestureFileTransfer::chooseImportFile);
    connect(m_gestureSetupController.get(), &GestureSetupController::exportRequested, m_gestureFiles.get(),
            &GestureFileTransfer::chooseExportFile);
    connect(m_gestureFiles.get(), &GestureFileTransfer::gesturesImported, m_gestureSetupController.get(),
            &GestureSetupController::gesturesChanged);
    connect(m_gestureFiles.get(), &GestureFileTransfer::gesturesImported, this, &AppController::learnTargetNames);
    connect(m_gestureSetupController.get(), &GestureSetupController::gestureAssigned, this, &AppController::learnTargetNames);
}

void AppController::printInputSources(const std::string& mouseLine)
{
    std::cout << InputSourceReport::touchpadLine(MTDeviceCreateListIncludingUnreadable().size(), MTDeviceCreateList().size())
              << "\n" << mouseLine << std::endl;
}

void AppController::followStoreChanges()
{
    m_storeWatcher = std::make_unique<FileChangeWatcher>(m_preferences->path());
    connect(m_storeWatcher.get(), &FileChangeWatcher::changed, this, &AppController::takeInOutsideChanges);
}

// A full store's templates take a second of every processor; they are made on the
// store's queue after the icon shows, and a write the user asks for meanwhile waits for
// them in turn.
void AppController::loadGestures()
{
    m_gestureRecognitionController->loadGestures([this] {
        learnTargetNames();
        m_gestureSetupController->gesturesLoaded();
    });
}

// While a target is there its name is taken down, for the day it is out of reach and
// the sheet would otherwise show a bare identity.
void AppController::learnTargetNames()
{
    TargetsAndSettings& targetsAndSettings = m_gestureSetupController->targetsAndSettings();
    targetsAndSettings.targetNames().learn(*m_gestureRecognitionController->recognitionModel().recognizer()->loadedGestures(),
                                           targetsAndSettings.catalogue());
}

void AppController::takeInOutsideChanges()
{
    if (!m_preferences->hasChangedOnDisk())
        return;
    m_storeWrites->queueWithOutcome(
        [&preferences = *m_preferences, &model = m_gestureRecognitionController->recognitionModel()] {
            auto reloaded = preferences.reload();
            if (reloaded)
                model.fetchAndLoadGestures();
            return reloaded;
        },
        [this](const Expected<Done>& reloaded) { tookInOutsideChanges(reloaded); });
}

void AppController::tookInOutsideChanges(const Expected<Done>& reloaded)
{
    if (!reloaded) {
        qCWarning(applicationStore).noquote() << "Cannot take in the changed store:" << QString::fromStdString(reloaded.error());
        return;
    }
    // A gesture bound from the command line may name a target added since the start.
    TargetsAndSettings& targetsAndSettings = m_gestureSetupController->targetsAndSettings();
    targetsAndSettings.catalogue().fetchAll();
    targetsAndSettings.settings().readAllStoringDefaults();
    learnTargetNames();
    m_gestureSetupController->gesturesChanged();
}

void AppController::watchQuitSignals()
{
    if (quitSignalPipe[0] < 0 && pipe2(quitSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_signalNotifier = new QSocketNotifier(quitSignalPipe[0], QSocketNotifier::Read, this);
    connect(m_signalNotifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(quitSignalPipe[0], bytes, sizeof bytes) > 0) { }
        closeAndQuit();
    });
    struct sigaction action = {};
    action.sa_handler = requestQuit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void AppController::closeAndQuit()
{
    if (m_closed)
        return;
    close();
    QCoreApplication::quit();
}

void AppController::close()
{
    if (m_closed)
        return;
    m_closed = true;
    multitouch().stopForwardingMultitouchEventsToListeners();
    multitouch().discardQueuedFrames();
    if (m_eventFilter) {
        m_eventFilter->releaseKeyboardAndPointer();
        m_eventFilter->releaseTouchpads();
    }
    if (auto written = m_preferences ? m_preferences->synchronize() : Done {}; !written)
        qCWarning(applicationStore).noquote() << "Could not write the preferences file at quit (" << QString::fromStdString(written.error())
                                              << "); changes since the last write are lost";
}

}
