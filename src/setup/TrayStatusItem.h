#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include <memory>
#include <optional>

class QDBusServiceWatcher;
class QSystemTrayIcon;
class QTimer;

namespace scriblo {

class CommandMenu;
class DarkableImage;

// Scriblo's one permanent presence on the desktop: an icon in the tray area with a menu
// of Setup…, My Gestures…, Import and Export Gestures…, the options worth a quick switch,
// and Quit, since some hosts turn every click into the menu. Where no tray host runs, the
// icon waits for one to appear on the session bus and shows itself then.
class TrayStatusItem : public QObject {
    Q_OBJECT
public:
    // A symbolic name: hosts draw it in their panel's foreground, as they draw the
    // desktop's own status icons, so it reads on light and dark panels alike.
    static constexpr const char* iconName = "org.scriblo.Scriblo-symbolic";
    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";

    explicit TrayStatusItem(QObject* parent = nullptr);
    ~TrayStatusItem() override;

    // Whether a tray host shows the icon now.
    bool hostAvailable() const;
    void show();
    // Where the host says its icon is: only an XEmbed tray does, and only once it has
    // taken the icon in; hosts that speak StatusNotifierItem never say.
    std::optional<QRect> iconGeometry() const;

    // The menu's commands after Setup….
    CommandMenu& commands() const { return *m_commands; }

    // The icon is ours; hosts that take its symbolic name recolour it, and its pixels,
    // for the others, are drawn inverted while the desktop is dark.
    static DarkableImage statusIcon();

Q_SIGNALS:
    // The user asked for the setup window, at `pointer` on the screen.
    void toggleRequested(QPoint pointer);
    void hostAvailabilityChanged(bool available);
    // An XEmbed tray has taken the icon in, or moved it while settling it, so
    // `iconGeometry` now says where it is.
    void iconPlaced();

private:
    void hostChanged();
    void showTrayIcon();
    void checkEmbedding();

    std::unique_ptr<CommandMenu> m_commands;
    QSystemTrayIcon* m_tray;
    QDBusServiceWatcher* m_watcher;
    bool m_shown = false;
    // An XEmbed icon reports a place of its own until the tray has taken it in, and Qt
    // says nothing when that happens; the place it had when shown is watched for a while.
    QTimer* m_embedding;
    QRect m_lastGeometry;
    int m_embeddingChecksLeft = 0;
    int m_steadyChecks = 0;
    bool m_embedded = false;
};

}
