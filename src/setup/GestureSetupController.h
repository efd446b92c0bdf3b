#pragma once

#include "base/WorkQueue.h"
#include "core/GestureStroke.h"
#include "setup/GestureStoreWrites.h"
#include "launch/TargetsAndSettings.h"
#include "recognition/LastDrawing.h"
#include "setup/SetupButtonRules.h"
#include "setup/SetupMenus.h"
#include "setup/SetupWindowPresence.h"

#include <QObject>
#include <QPoint>

class QPushButton;

#include <memory>
#include <optional>

namespace scriblo {

class AssignConflictPrompt;
class GestureRecognitionModel;
class GestureSheetWindow;
class GestureSetupView;
class GestureSetupWindow;
class LaunchableArrayModel;
class MultitouchManager;
class SelectedGestureDrawings;
class SetupSettingsControls;
class TrayStatusItem;

// Runs the setup window: the user picks a kind of target and a target, then assigns,
// adds drawings to, replays or clears the gesture bound to it, and changes the settings. It owns the
// catalogue-and-settings model that the recognition side reads too.
class GestureSetupController : public QObject {
    Q_OBJECT
public:

    // What the setup side takes from the recognition side.
    struct RecognitionSide {
        GestureRecognitionModel* recognitionModel = nullptr;
        // Whether a recognition is capturing a gesture now; the window does not open then.
        std::function<bool()> detectingInput;
        // Where Assign and Clear write the store, away from the window's thread.
        WorkQueue* storeWrites = nullptr;
    };

    struct Services {
        TargetsAndSettings::Services model;
        RecognitionSide recognition;
        const Clock* clock = nullptr;
        TimerService* timers = nullptr;
        // Null where touchpads are not used, as in tests.
        MultitouchManager* multitouch = nullptr;
        // Tests and benchmarks run without a tray icon.
        bool withTray = true;
    };

    explicit GestureSetupController(Services services, QObject* parent = nullptr);
    ~GestureSetupController() override;

    TargetsAndSettings& targetsAndSettings() { return *m_targetsAndSettings; }
    GestureSetupWindow* setupWindow() const { return m_setupWindow.get(); }
    // From the start of the fade in until the window is hidden again.
    bool isSetupWindowVisible() const { return m_presence->isVisible(); }
    SetupWindowFade::State setupWindowState() const { return m_presence->state(); }
    SetupButtons buttons() const { return m_buttons; }
    int32_t launchableSelectedIndex() const { return m_launchableSelectedIndex; }
    bool showingCustomScriptsAlert() const { return m_showingCustomScriptsAlert; }
    AssignConflictPrompt& conflictPrompt() { return *m_conflictPrompt; }
    LaunchableArrayModel& launchableArray() { return *m_launchableArray; }
    TrayStatusItem* statusItem() const { return m_menus->statusItem(); }

    // For an application object that makes this controller before the recognition
    // side, which in turn reads the settings through it.
    void setRecognitionSide(RecognitionSide recognition);

    void applicationDidFinishLaunching();
    void gesturesLoaded();

    // Opens or closes the window; `pointer` is where the user clicked, for placing the
    // window when the tray does not say where its icon is.
    void toggleSetupWindow(std::optional<QPoint> pointer = std::nullopt);
    void hideSetupWindow() { m_presence->hide(); }
    // Opens the window of every stored gesture, made on first use.
    void showGestureSheet() { m_menus->showGestureSheet(); }
    // Opens the window of the last drawing, made on first use.
    void showLastDrawing() { m_menus->showLastDrawing(); }
    // What the user drew last, for Last Drawing to show.
    void setLastDrawing(LastDrawing drawing) { m_menus->setLastDrawing(std::move(drawing)); }
    LastDrawingWindow* lastDrawingWindow() const { return m_menus->lastDrawingWindow(); }
    // Gestures were stored or cleared elsewhere in this process: the controls and the
    // open sheet show the store as it is now.
    void gesturesChanged();
    GestureSheetWindow* gestureSheetWindow() const { return m_menus->gestureSheetWindow(); }
    void repositionSetupWindow() { m_presence->reposition(); }
    void windowDidResignKey();

    void updateSetupControls();
    void launchableTypeChanged();
    void tableViewFocus(bool lost);
    void tableViewSelectionDidChange();
    void showDrawNotification(bool show);
    // Whether a drawing that looks like another target's gesture waits for the user's word.
    enum class Conflicts { Ask, Ignore };
    void saveGestureWithStrokes(std::vector<GestureStroke> strokes, Conflicts conflicts = Conflicts::Ask);
    void assignSelectedGesture();
    void addDrawingToSelectedGesture();
    // Replays the selected gesture's next drawing.
    void showSelectedGesture();
    // Removes the drawing Show replayed last from its gesture.
    void removeShownDrawing();
    void clearSelectedGesture();
    // Brings back the drawing the last Clear here took, until the store changes otherwise.
    void undoClear();
    void shouldShowCustomScriptsAlert();

Q_SIGNALS:
    void quitRequested();
    // The user asked for the gesture files, from the tray or from the window.
    void importRequested();
    void exportRequested();
    // A drawing was stored for the selected target.
    void gestureAssigned(QString displayName);

private:
    bool recognitionCapturing() const;
    void awakeFromNib();
    void connectControls();
    void drawingTaken(std::vector<GestureStroke> strokes);
    void startDrawing(DrawingUse use, QPushButton& button);
    void setButtons(SetupButtons buttons);
    std::shared_ptr<Launchable> selectedLaunchable() const;
    SetupButtonRules::Selection selection() const;
    // The identity the target's gesture is stored under, when it has one.
    std::optional<std::string> storedIdentity(const Launchable& launchable) const;
    std::shared_ptr<const Gesture> storedGesture(const Launchable& launchable) const;
    // Every settings handler: cancel a capture, act, refresh.
    void changeSetting(const std::function<void(Settings&)>& change);
    bool hasStoredGestures() const;
    // After a write of this window's own, which keeps what its Undo brings back.
    void showStoreChange();

    Services m_services;
    std::unique_ptr<TargetsAndSettings> m_targetsAndSettings;
    std::unique_ptr<GestureSetupWindow> m_setupWindow;
    std::unique_ptr<SetupSettingsControls> m_settingsControls;
    GestureSetupView* m_setupView = nullptr;
    LaunchableArrayModel* m_launchableArray = nullptr;
    std::unique_ptr<SetupMenus> m_menus;
    AssignConflictPrompt* m_conflictPrompt = nullptr;
    std::unique_ptr<SetupWindowPresence> m_presence;
    std::unique_ptr<SelectedGestureDrawings> m_drawings;
    DrawingUse m_drawingUse = DrawingUse::Assign;
    SetupButtons m_buttons;
    int32_t m_launchableSelectedIndex = -1;
    bool m_showingCustomScriptsAlert = false;
    // Made once the recognition side is known; the buttons wait while it writes.
    std::unique_ptr<GestureStoreWrites> m_storeWrites;
};

}
