#pragma once

#include "recognition/LastDrawing.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

namespace scriblo {

class CommandMenu;
class GestureRecognitionModel;
class TargetsAndSettings;
class GestureSetupWindow;
class GestureSheetWindow;
class LastDrawingWindow;
class TrayStatusItem;
class WorkQueue;

// Where the user finds what lies beyond the setup window's own controls: the tray icon,
// which opens the window, and its menu of My Gestures, Last Drawing, the gesture files,
// Explain Misses and Quit. While no tray shows the icon, the window says so and offers the
// same commands behind its More… button, so none is out of reach. My Gestures and Last
// Drawing are made here on first use, and each shows what the other changed.
class SetupMenus : public QObject {
    Q_OBJECT
public:
    struct Actions {
        // `pointer` is where the user clicked, for placing the window.
        std::function<void(QPoint pointer)> toggleSetupWindow;
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

    // The store that My Gestures and Last Drawing show and change, on `writes`; until it
    // is known they do not open.
    void setStore(GestureRecognitionModel* model, WorkQueue* writes);
    void showGestureSheet();
    GestureSheetWindow* gestureSheetWindow() const { return m_gestureSheetWindow.get(); }
    void showLastDrawing();
    LastDrawingWindow* lastDrawingWindow() const { return m_lastDrawingWindow.get(); }
    // What the user drew last; an open Last Drawing shows it at once.
    void setLastDrawing(LastDrawing drawing);
    // The open windows show the change, and can no longer undo their own last change over it.
    void showStoreChange();

Q_SIGNALS:
    void quitRequested();
    void importRequested();
    void exportRequested();
    // My Gestures or Last Drawing changed the store.
    void gesturesChangedInWindow();

private:
    void connectTray();
    void connectCommands(CommandMenu& commands);
    void showTrayAbsence(bool absent);
    // One of the two windows changed the store; the other shows it.
    void changedInSheet();
    void changedInLastDrawing();

    GestureSetupWindow& m_window;
    TargetsAndSettings& m_targetsAndSettings;
    Actions m_actions;
    GestureRecognitionModel* m_model = nullptr;
    WorkQueue* m_writes = nullptr;
    std::unique_ptr<TrayStatusItem> m_statusItem;
    std::unique_ptr<GestureSheetWindow> m_gestureSheetWindow;
    std::unique_ptr<LastDrawingWindow> m_lastDrawingWindow;
    std::optional<LastDrawing> m_lastDrawing;
};

}
