#pragma once

#include <QHash>
#include <QIcon>
#include <QIconEngine>
#include <memory>

namespace scriblo {

// Draws an icon as it is, or, while the desktop is dark and the icon is marked darkable,
// as its colour-inverted copy. Because Qt asks the engine for pixels at every paint, any
// widget that paints a QIcon follows the dark flag at its next repaint. The theme name
// goes with the original pixels only, so a name is never shown in place of the inverted
// copy, unless it is a symbolic name, which hosts recolour themselves.
class DarkableIconEngine : public QIconEngine {
public:
    // What every copy of one darkable image shares: the mark and the inverted copies are
    // kept with the image, not with each handle to it.
    struct Image {
        QIcon original;
        bool darkable = false;
        QHash<qint64, QPixmap> invertedCopies;

        // The inverted copy of one pixmap of the image, made on first use and kept.
        QPixmap inverted(const QPixmap& face);
    };

    explicit DarkableIconEngine(std::shared_ptr<Image> image);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString iconName() override;
    bool isNull() override;
    QString key() const override;
    QIconEngine* clone() const override;

private:
    QPixmap shown(const QPixmap& face) const;

    std::shared_ptr<Image> m_image;
};

}
