#include "setup/TrayStatusItem.h"

#include "appearance/DarkableImage.h"
#include "setup/CommandMenu.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

namespace scriblo {

namespace {

// A tray takes an icon in within a few hundred milliseconds of being asked, even on a
// loaded machine; one that has not after some seconds will not, and the window falls
// back to the point that was clicked. Trays move the icon through a place or two of
// their own on the way, so it counts as placed once it has held still for a while.
constexpr int embeddingCheckMilliseconds = 50;
constexpr int embeddingChecks = 100;
constexpr int steadyChecksWhenPlaced = 6;

}

TrayStatusItem::TrayStatusItem(QObject* parent)
    : QObject(parent)
    , m_commands(std::make_unique<CommandMenu>())
    , m_tray(new QSystemTrayIcon(this))
    , m_watcher(new QDBusServiceWatcher(QString::fromLatin1(watcherService), QDBusConnection::sessionBus(),
                                        QDBusServiceWatcher::WatchForOwnerChange, this))
    , m_embedding(new QTimer(this))
{
    QMenu* menu = m_commands->menu();
    menu->setAccessibleName(tr("Scriblo menu"));
    auto setup = new QAction(tr("&Setup…"), menu);
    menu->insertAction(menu->actions().value(0), setup);
    connect(setup, &QAction::triggered, this, [this] { Q_EMIT toggleRequested(QCursor::pos()); });
    m_tray->setContextMenu(menu);
    m_tray->setToolTip(tr("Scriblo: draw a gesture to launch"));
    statusIcon().showIn(*m_tray);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // The context menu opens by itself; every other activation opens or closes the window.
        if (reason != QSystemTrayIcon::Context)
            Q_EMIT toggleRequested(QCursor::pos());
    });
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayStatusItem::hostChanged);
    m_embedding->setInterval(embeddingCheckMilliseconds);
    connect(m_embedding, &QTimer::timeout, this, &TrayStatusItem::checkEmbedding);
}

TrayStatusItem::~TrayStatusItem() = default;

DarkableImage TrayStatusItem::statusIcon()
{
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(iconName));
    // An uninstalled build has no theme entry yet; its own resource stands in.
    if (icon.isNull())
        icon = QIcon(QStringLiteral(SCRIBLO_STATUS_ICON));
    DarkableImage image(icon);
    image.setDarkable(true);
    return image;
}

bool TrayStatusItem::hostAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayStatusItem::show()
{
    m_shown = true;
    showTrayIcon();
}

void TrayStatusItem::showTrayIcon()
{
    m_tray->show();
    m_embedded = false;
    m_lastGeometry = m_tray->geometry();
    m_embeddingChecksLeft = embeddingChecks;
    // A StatusNotifierItem host keeps the geometry to itself: nothing to wait for.
    if (m_lastGeometry.isEmpty())
        m_embedding->stop();
    else
        m_embedding->start();
}

void TrayStatusItem::checkEmbedding()
{
    QRect geometry = m_tray->geometry();
    if (geometry != m_lastGeometry) {
        // Moved from where it was shown: the tray has it.
        m_lastGeometry = geometry;
        m_embedded = true;
        m_steadyChecks = 0;
        Q_EMIT iconPlaced();
    } else if (m_embedded && ++m_steadyChecks >= steadyChecksWhenPlaced) {
        m_embedding->stop();
    }
    if (--m_embeddingChecksLeft <= 0)
        m_embedding->stop();
}

std::optional<QRect> TrayStatusItem::iconGeometry() const
{
    QRect geometry = m_tray->geometry();
    if (geometry.isEmpty() || !m_embedded)
        return std::nullopt;
    return geometry;
}

void TrayStatusItem::hostChanged()
{
    bool available = hostAvailable();
    // Qt gives up on a tray that was missing at start; showing again registers anew.
    if (available && m_shown) {
        m_tray->hide();
        showTrayIcon();
    }
    Q_EMIT hostAvailabilityChanged(available);
}

}
