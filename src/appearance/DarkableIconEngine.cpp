#include "appearance/DarkableIconEngine.h"

#include "appearance/DarkMode.h"

#include <QPainter>

namespace scriblo {

namespace {

// The original icon hands out the same pixmap for the same request while Qt's pixmap
// cache keeps it, so the copies stay few; the bound only matters if that cache churns.
constexpr qsizetype maximumInvertedCopies = 32;

}

DarkableIconEngine::DarkableIconEngine(std::shared_ptr<Image> image)
    : m_image(std::move(image))
{
}

QPixmap DarkableIconEngine::Image::inverted(const QPixmap& face)
{
    if (face.isNull())
        return face;
    if (auto found = invertedCopies.constFind(face.cacheKey()); found != invertedCopies.constEnd())
        return *found;
    if (invertedCopies.size() >= maximumInvertedCopies)
        invertedCopies.clear();
    // Colours flip and alpha stays, so a transparent outline stays transparent.
    QImage image = face.toImage();
    image.invertPixels(QImage::InvertRgb);
    QPixmap copy = QPixmap::fromImage(std::move(image));
    copy.setDevicePixelRatio(face.devicePixelRatio());
    invertedCopies.insert(face.cacheKey(), copy);
    return copy;
}

QPixmap DarkableIconEngine::shown(const QPixmap& face) const
{
    return m_image->darkable && DarkMode::isDark() ? m_image->inverted(face) : face;
}

void DarkableIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    qreal scale = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
}

QPixmap DarkableIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return shown(m_image->original.pixmap(size, mode, state));
}

QPixmap DarkableIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    return shown(m_image->original.pixmap(size, scale, mode, state));
}

QSize DarkableIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return m_image->original.actualSize(size, mode, state);
}

QList<QSize> DarkableIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    return m_image->original.availableSizes(mode, state);
}

QString DarkableIconEngine::iconName()
{
    // A theme name stands for the theme's own, uninverted picture, and a tray that is
    // handed one draws it in preference to our pixels; while the inverted copy is what
    // shows, there is no name for it. A symbolic name is the exception: the host draws
    // it in its own panel's foreground, which suits that panel better than our guess.
    QString name = m_image->original.name();
    if (m_image->darkable && DarkMode::isDark() && !name.endsWith(QLatin1String("-symbolic")))
        return {};
    return name;
}

bool DarkableIconEngine::isNull()
{
    return m_image->original.isNull();
}

QString DarkableIconEngine::key() const
{
    return QStringLiteral("DarkableIconEngine");
}

QIconEngine* DarkableIconEngine::clone() const
{
    return new DarkableIconEngine(m_image);
}

}
