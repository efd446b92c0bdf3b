#pragma once

#include "appearance/DarkableIconEngine.h"

#include <QIcon>
#include <memory>

class QPainter;
class QSystemTrayIcon;

namespace scriblo {

// An image that may be marked darkable, such as the tray icon: while the desktop is dark
// (DarkMode) a marked image is drawn as its colour-inverted copy, and as itself again as
// soon as the flag clears. Copies are handles to one image: they share its mark and its
// inverted copies. Use on the main thread, as for any pixmap.
class DarkableImage {
public:
    explicit DarkableImage(const QIcon& original);
    explicit DarkableImage(const QPixmap& original);

    bool darkable() const;
    void setDarkable(bool darkable);

    // The colour-inverted copy of the image at `size`, made once and kept with the image.
    QPixmap invertedSelf(const QSize& size) const;
    // What drawing shows now at `size`.
    QPixmap pixmap(const QSize& size) const;
    void paint(QPainter& painter, const QRect& rect, Qt::Alignment alignment = Qt::AlignCenter) const;
    // For anything that takes a QIcon; it follows the flag wherever Qt paints it.
    QIcon icon() const;
    // A tray takes a snapshot of its icon's pixels and name, so the icon is handed to it
    // again at every change of the flag, for as long as the tray lives. Once per tray.
    void showIn(QSystemTrayIcon& tray) const;

private:
    std::shared_ptr<DarkableIconEngine::Image> m_image;
    QIcon m_icon;
};

}
