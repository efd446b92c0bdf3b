#pragma once

#include <QPixmap>
#include <QWidget>

namespace scriblo {

// A window's background: its image repeated as a pattern, or black without one,
// within rounded corners when a radius is set, inside a 1-pixel light edge, so that a
// frameless window stands out on a black desktop. A click on it is reported, so the
// window can bring its controls up to date.
class RepeatedImageView : public QWidget {
    Q_OBJECT
public:
    explicit RepeatedImageView(QWidget* parent = nullptr);

    float roundRadius() const { return m_roundRadius; }
    void setRoundRadius(float radius);
    // The pattern is taken from the image at the next paint.
    void setImage(const QPixmap& image);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    float m_roundRadius = 0;
    QPixmap m_image;
    QBrush m_background;
    bool m_hasBackground = false;
};

}
