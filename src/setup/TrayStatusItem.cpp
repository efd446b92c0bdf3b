#include "setup/TrayStatusItem.h"

#include "appearance/DarkableImage.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QMenu>
#include <QSystemTrayIcon>

namespace scriblo {

TrayStatusItem::TrayStatusItem(QObject* parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>())
    , m_tray(new QSystemTrayIcon(this))
    , m_watcher(new QDBusServiceWatcher(QString::fromLatin1(watcherService), QDBusConnection::sessionBus(),
                                        QDBusServiceWatcher::WatchForOwnerChange, this))
{
    m_menu->setAccessibleName(tr("Scriblo menu"));
    QAction* setup = m_menu->addAction(tr("Setup…"));
    QAction* quit = m_menu->addAction(tr("Quit"));
    connect(setup, &QAction::triggered, this, [this] { emit toggleRequested(QCursor::pos()); });
    connect(quit, &QAction::triggered, this, &TrayStatusItem::quitRequested);
    m_tray->setContextMenu(m_menu.get());
    m_tray->setToolTip(tr("Scriblo: draw a gesture to launch"));
    statusIcon().showIn(*m_tray);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // The context menu opens by itself; every other activation opens or closes the window.
        if (reason != QSystemTrayIcon::Context)
            emit toggleRequested(QCursor::pos());
    });
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayStatusItem::hostChanged);
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
    m_tray->show();
}

std::optional<QRect> TrayStatusItem::iconGeometry() const
{
    QRect geometry = m_tray->geometry();
    if (geometry.isEmpty())
        return std::nullopt;
    return geometry;
}

void TrayStatusItem::hostChanged()
{
    bool available = hostAvailable();
    // Qt gives up on a tray that was missing at start; showing again registers anew.
    if (available && m_shown) {
        m_tray->hide();
        m_tray->show();
    }
    emit hostAvailabilityChanged(available);
}

}
