#include "appearance/DarkableImage.h"

#include "appearance/DarkMode.h"

#include <QSystemTrayIcon>

namespace scriblo {

DarkableImage::DarkableImage(const QIcon& original)
    : m_image(std::make_shared<DarkableIconEngine::Image>(DarkableIconEngine::Image { original, false, {} }))
    , m_icon(new DarkableIconEngine(m_image))
{
}

DarkableImage::DarkableImage(const QPixmap& original)
    : DarkableImage(QIcon(original))
{
}

bool DarkableImage::darkable() const
{
    return m_image->darkable;
}

void DarkableImage::setDarkable(bool darkable)
{
    m_image->darkable = darkable;
}

QPixmap DarkableImage::invertedSelf(const QSize& size) const
{
    return m_image->inverted(m_image->original.pixmap(size));
}

QPixmap DarkableImage::pixmap(const QSize& size) const
{
    return m_icon.pixmap(size);
}

void DarkableImage::paint(QPainter& painter, const QRect& rect, Qt::Alignment alignment) const
{
    m_icon.paint(&painter, rect, alignment);
}

QIcon DarkableImage::icon() const
{
    return m_icon;
}

void DarkableImage::showIn(QSystemTrayIcon& tray) const
{
    tray.setIcon(m_icon);
    QObject::connect(&DarkMode::notifier(), &DarkMode::darkChanged, &tray, [&tray, icon = m_icon] {
        tray.setIcon(icon);
    });
}

}
