#pragma once

#include "base/Expected.h"
#include "platform/QtTimerService.h"
#include "platform/SystemClock.h"

#include <QObject>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QSocketNotifier;

namespace scriblo {

class Compositor;
class DarkAppearance;
class FileChangeWatcher;
class GestureFileTransfer;
class GestureRecognitionController;
class GestureSetupController;
class LinuxEventFilter;
class Notifier;
class PropertyListUserDefaults;
class RemovedGestures;
class SerialWorkQueue;
class SingleInstance;
class Workspace;

// The application: the one place that makes the preferences store, the platform services
// and the two controllers, and hands each what it needs. It keeps one instance per
// session, follows changes other processes make to the store, and ends cleanly on quit,
// SIGINT or SIGTERM.
class AppController : public QObject {
    Q_OBJECT
public:
    // Gestures whose targets are gone are kept in `removedGestures` before they are
    // deleted. Launches go through `workspace`, or through the desktop's when it is null.
    AppController(std::filesystem::path storePath, std::shared_ptr<RemovedGestures> removedGestures,
                  std::shared_ptr<Workspace> workspace = nullptr, QObject* parent = nullptr);
    ~AppController() override;

    // Fails when no X display can be reached; asked before any Qt application object
    // exists, since Qt aborts with a page of advice when it finds none.
    static Expected<Done> checkDisplay();

    // Builds and starts everything. An exit status when the process should end at once:
    // another instance runs (0), or the store cannot be read (1).
    std::optional<int> start();

    // Stops the touchpads, releases every grab, writes pending changes and quits; only
    // the first call does anything.
    void closeAndQuit();

    GestureSetupController* gestureSetupController() const { return m_gestureSetupController.get(); }
    GestureRecognitionController* gestureRecognitionController() const { return m_gestureRecognitionController.get(); }
    GestureFileTransfer* gestureFileTransfer() const { return m_gestureFiles.get(); }

private:
    bool claimSingleInstance();
    bool openPreferences();
    void createPlatformServices();
    void createControllers();
    void connectLastDrawing();
    void connectGestureFiles();
    void printInputSources(const std::string& mouseLine);
    void followStoreChanges();
    void loadGestures();
    void learnTargetNames();
    void takeInOutsideChanges();
    void tookInOutsideChanges(const Expected<Done>& reloaded);
    void watchQuitSignals();
    void close();

    SystemClock m_clock;
    QtTimerService m_timers;
    const std::filesystem::path m_storePath;
    std::shared_ptr<Workspace> m_workspace;
    std::shared_ptr<RemovedGestures> m_removedGestures;
    std::shared_ptr<Notifier> m_notifier;
    std::shared_ptr<PropertyListUserDefaults> m_preferences;
    std::unique_ptr<SingleInstance> m_singleInstance;
    std::unique_ptr<LinuxEventFilter> m_eventFilter;
    std::unique_ptr<Compositor> m_compositor;
    std::unique_ptr<DarkAppearance> m_darkAppearance;
    std::unique_ptr<GestureSetupController> m_gestureSetupController;
    std::unique_ptr<GestureRecognitionController> m_gestureRecognitionController;
    std::unique_ptr<GestureFileTransfer> m_gestureFiles;
    // Gone before the controllers: a write in flight is finished while the model it
    // writes still exists, and what it would show afterwards is dropped.
    std::unique_ptr<SerialWorkQueue> m_storeWrites;
    std::unique_ptr<FileChangeWatcher> m_storeWatcher;
    QSocketNotifier* m_signalNotifier = nullptr;
    bool m_closed = false;
};

}
