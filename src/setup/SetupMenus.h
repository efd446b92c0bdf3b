#pragma once

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

namespace scriblo {

class CommandMenu;
class GestureRecognitionModel;
class TargetsAndSettings;
class GestureSetupWindow;
class GestureSheetWindow;
class TrayStatusItem;
class WorkQueue;

// Where the user finds what lies beyond the setup window's own controls: the tray icon,
// which opens the window, and its menu of My Gestures, the gesture files, Explain Misses
// and Quit. While no tray shows the icon, the window says so and offers the same
// commands behind its More… button, so none is out of reach. My Gestures is made here
// on first use.
class SetupMenus : public QObject {
    Q_OBJECT
public:
    struct Actions {
        // `pointer` is where the user clicked, for placing the window.
        std::function<void(QPoint pointer)> toggleSetupWindow;
        std::function<void()> showGestureSheet;
        // The tray has placed its icon, so the window can hang below it.
        std::function<void()> iconPlaced;
    };
    // Tests and benchmarks run without an icon.
    enum class Icon { Shown, None };

    SetupMenus(GestureSetupWindow& window, TargetsAndSettings& targetsAndSettings, Actions actions, Icon icon, QObject* parent = nullptr);
    ~SetupMenus() override;

    TrayStatusItem* statusItem() const { return m_statusItem.get(); }
    // Shows the icon, and says whether the window has to stand in for it, as it does
    // where no tray shows it.
    bool showIcon();

    // My Gestures writes the store on `writes`.
    void showGestureSheet(GestureRecognitionModel& model, WorkQueue& writes);
    GestureSheetWindow* gestureSheetWindow() const { return m_gestureSheetWindow.get(); }
    // An open My Gestures shows the change, and can no longer undo its own last Clear
    // over it.
    void showStoreChange();

signals:
    void quitRequested();
    void importRequested();
    void exportRequested();
    // My Gestures cleared a gesture or brought one back.
    void gesturesChangedInSheet();

private:
    void connectTray();
    void connectCommands(CommandMenu& commands);
    void showTrayAbsence(bool absent);

    GestureSetupWindow& m_window;
    TargetsAndSettings& m_targetsAndSettings;
    Actions m_actions;
    std::unique_ptr<TrayStatusItem> m_statusItem;
    std::unique_ptr<GestureSheetWindow> m_gestureSheetWindow;
};

}
