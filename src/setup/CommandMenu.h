#pragma once

#include <QObject>

#include <memory>

class QAction;
class QMenu;

namespace scriblo {

// The commands that lie beyond the setup window's own controls: My Gestures…, Last
// Drawing…, Import and Export Gestures…, Explain Misses and Quit. The tray's menu holds
// them, and where no tray shows one, so does the setup window, so that every one stays
// in reach.
class CommandMenu : public QObject {
    Q_OBJECT
public:
    explicit CommandMenu(QObject* parent = nullptr);
    ~CommandMenu() override;

    QMenu* menu() const { return m_menu.get(); }
    // The check mark, set afresh each time the menu opens, since another process may
    // have changed the setting.
    void setExplainMisses(bool explain);

Q_SIGNALS:
    void gestureSheetRequested();
    void lastDrawingRequested();
    void importRequested();
    void exportRequested();
    void explainMissesToggled(bool explain);
    void quitRequested();
    void opening();

private:
    std::unique_ptr<QMenu> m_menu;
    QAction* m_explainMisses;
};

}
