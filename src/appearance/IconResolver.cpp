#include "appearance/IconResolver.h"

#include "files/SafeFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPainter>
#include <QPixmap>

namespace scriblo {

namespace {

Q_LOGGING_CATEGORY(targetIcons, "scriblo.icons")

const QString genericIconName = QStringLiteral("application-x-executable");
// Any size the theme lists will do to learn whether its file can be decoded.
constexpr QSize probeSize(64, 64);

// Desktop entries sometimes name a theme icon with its file's extension, which the theme
// lookup does not expect.
QString withoutImageExtension(const QString& name)
{
    for (const char* extension : { ".png", ".svg", ".xpm" }) {
        if (name.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return name.chopped(int(qstrlen(extension)));
    }
    return name;
}

}

QIcon IconResolver::iconFor(const std::string& icon)
{
    QString key = QString::fromStdString(icon);
    if (auto found = m_icons.constFind(key); found != m_icons.constEnd())
        return *found;
    QIcon resolved = resolve(key);
    m_icons.insert(key, resolved);
    return resolved;
}

QIcon IconResolver::fallbackIcon()
{
    if (m_fallback.isNull()) {
        m_fallback = themeIcon(genericIconName);
        if (m_fallback.isNull())
            m_fallback = drawnIcon();
    }
    return m_fallback;
}

QIcon IconResolver::resolve(const QString& icon)
{
    QIcon resolved;
    if (icon.startsWith(QLatin1Char('/')))
        resolved = fileIcon(icon);
    else if (!icon.isEmpty()) {
        resolved = themeIcon(icon);
        if (resolved.isNull())
            resolved = themeIcon(withoutImageExtension(icon));
    }
    return resolved.isNull() ? fallbackIcon() : resolved;
}

QIcon IconResolver::themeIcon(const QString& name)
{
    if (!QIcon::hasThemeIcon(name))
        return QIcon();
    QIcon icon = QIcon::fromTheme(name);
    // A theme may list an icon only in a format this Qt cannot decode (SVG without its
    // plugin), which would draw as nothing.
    return icon.pixmap(probeSize).isNull() ? QIcon() : icon;
}

QIcon IconResolver::fileIcon(const QString& path)
{
    auto bytes = SafeFile::read(path.toStdString(), maximumFileSize);
    if (!bytes) {
        qCWarning(targetIcons).noquote() << "Icon" << path << "not used:" << QString::fromStdString(bytes.error());
        return QIcon();
    }
    QByteArray data = QByteArray::fromStdString(*bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    if (size.width() > largestSide || size.height() > largestSide)
        reader.setScaledSize(size.scaled(largestSide, largestSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull()) {
        qCWarning(targetIcons).noquote() << "Icon" << path << "not used:" << reader.errorString();
        return QIcon();
    }
    return QIcon(QPixmap::fromImage(std::move(image)));
}

// A bare machine may have no icon theme at all; a plain window shape still tells the user
// that the target is a program.
QIcon IconResolver::drawnIcon()
{
    QIcon icon;
    for (int side : { 32, 256 }) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QRectF frame(side * 0.1, side * 0.15, side * 0.8, side * 0.7);
        painter.setPen(QPen(QColor(0x60, 0x60, 0x60), side / 32.0));
        painter.setBrush(QColor(0xcc, 0xcc, 0xcc));
        painter.drawRoundedRect(frame, side * 0.06, side * 0.06);
        painter.fillRect(QRectF(frame.left(), frame.top(), frame.width(), frame.height() * 0.18), QColor(0x60, 0x60, 0x60));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}
