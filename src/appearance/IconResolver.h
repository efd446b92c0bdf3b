#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <cstddef>
#include <string>

namespace scriblo {

// Turns a launch target's icon (an icon-theme name, an absolute image path, or empty)
// into something to draw. Every string is resolved once and kept, including those that
// came to nothing, so a redraw never touches the disk. Use on the main thread.
class IconResolver {
public:
    // Icon files come from desktop entries anyone can write: a larger file is refused
    // rather than read, and a decoded image is kept no larger than it is ever shown.
    static constexpr size_t maximumFileSize = 4 * 1024 * 1024;
    static constexpr int largestSide = 512;

    QIcon iconFor(const std::string& icon);
    // The generic program icon, from the theme or drawn when the theme has none.
    QIcon fallbackIcon();

private:
    QIcon resolve(const QString& icon);
    static QIcon themeIcon(const QString& name);
    static QIcon fileIcon(const QString& path);
    static QIcon drawnIcon();

    QHash<QString, QIcon> m_icons;
    QIcon m_fallback;
};

}
