#include "setup/SetupMenus.h"

#include "launch/TargetsAndSettings.h"
#include "setup/CommandMenu.h"
#include "setup/GestureSetupWindow.h"
#include "setup/LastDrawingWindow.h"
#include "setup/TrayStatusItem.h"
#include "sheet/GestureSheetWindow.h"


namespace scriblo {

SetupMenus::SetupMenus(GestureSetupWindow& window, TargetsAndSettings& targetsAndSettings, Actions actions, Icon icon, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_targetsAndSettings(targetsAndSettings)
    , m_actions(std::move(actions))
{
    connectCommands(*window.commands);
    if (icon == Icon::Shown)
        connectTray();
}

SetupMenus::~SetupMenus() = default;

void SetupMenus::connectTray()
{
    m_statusItem = std::make_unique<TrayStatusItem>();
    TrayStatusItem* tray = m_statusItem.get();
    connect(tray, &TrayStatusItem::toggleRequested, this, [this](QPoint pointer) { m_actions.toggleSetupWindow(pointer); });
    connectCommands(tray->commands());
    connect(tray, &TrayStatusItem::hostAvailabilityChanged, this, [this](bool available) { showTrayAbsence(!available); });
    // The window opened at start was placed before the tray had taken the icon in.
    connect(tray, &TrayStatusItem::iconPlaced, this, [this] { m_actions.iconPlaced(); });
}

void SetupMenus::connectCommands(CommandMenu& commands)
{
    connect(&commands, &CommandMenu::gestureSheetRequested, this, &SetupMenus::showGestureSheet);
    connect(&commands, &CommandMenu::lastDrawingRequested, this, &SetupMenus::showLastDrawing);
    connect(&commands, &CommandMenu::importRequested, this, &SetupMenus::importRequested);
    connect(&commands, &CommandMenu::exportRequested, this, &SetupMenus::exportRequested);
    connect(&commands, &CommandMenu::quitRequested, this, &SetupMenus::quitRequested);
    connect(&commands, &CommandMenu::opening, this,
            [this, &commands] { commands.setExplainMisses(m_targetsAndSettings.settings().explainMissesOption()); });
    connect(&commands, &CommandMenu::explainMissesToggled, this,
            [this](bool explain) { m_targetsAndSettings.settings().saveExplainMissesOption(explain); });
}

bool SetupMenus::showIcon()
{
    if (!m_statusItem)
        return false;
    m_statusItem->show();
    bool shown = m_statusItem->hostAvailable();
    showTrayAbsence(!shown);
    return !shown;
}

void SetupMenus::setStore(GestureRecognitionModel* model, WorkQueue* writes)
{
    m_model = model;
    m_writes = writes;
}

void SetupMenus::showGestureSheet()
{
    if (!m_model || !m_writes)
        return;
    if (!m_gestureSheetWindow) {
        m_gestureSheetWindow = std::make_unique<GestureSheetWindow>(*m_model, *m_writes, m_targetsAndSettings.catalogue(),
                                                                    m_targetsAndSettings.targetNames());
        connect(m_gestureSheetWindow.get(), &GestureSheetWindow::gestureCleared, this, &SetupMenus::changedInSheet);
        connect(m_gestureSheetWindow.get(), &GestureSheetWindow::gestureRestored, this, &SetupMenus::changedInSheet);
        connect(m_gestureSheetWindow.get(), &GestureSheetWindow::drawingRemoved, this, &SetupMenus::changedInSheet);
    }
    m_gestureSheetWindow->showAndRaise();
}

void SetupMenus::showLastDrawing()
{
    if (!m_model || !m_writes)
        return;
    if (!m_lastDrawingWindow) {
        m_lastDrawingWindow = std::make_unique<LastDrawingWindow>(*m_model, *m_writes, m_targetsAndSettings.catalogue());
        connect(m_lastDrawingWindow.get(), &LastDrawingWindow::gestureChanged, this, &SetupMenus::changedInLastDrawing);
    }
    m_lastDrawingWindow->showDrawing(m_lastDrawing);
    m_lastDrawingWindow->showAndRaise();
}

void SetupMenus::setLastDrawing(LastDrawing drawing)
{
    m_lastDrawing = std::move(drawing);
    if (m_lastDrawingWindow && m_lastDrawingWindow->isVisible())
        m_lastDrawingWindow->showDrawing(m_lastDrawing);
}

void SetupMenus::showStoreChange()
{
    if (m_gestureSheetWindow && m_gestureSheetWindow->isVisible())
        m_gestureSheetWindow->reload();
    if (m_lastDrawingWindow)
        m_lastDrawingWindow->storeChanged();
}

void SetupMenus::changedInSheet()
{
    if (m_lastDrawingWindow)
        m_lastDrawingWindow->storeChanged();
    Q_EMIT gesturesChangedInWindow();
}

void SetupMenus::changedInLastDrawing()
{
    if (m_gestureSheetWindow && m_gestureSheetWindow->isVisible())
        m_gestureSheetWindow->reload();
    Q_EMIT gesturesChangedInWindow();
}

void SetupMenus::showTrayAbsence(bool absent)
{
    m_window.showTrayAbsence(absent);
}

}
