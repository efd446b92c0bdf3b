#pragma once

#include <QWidget>

namespace scriblo {

// The near-black background of the recognition window: a plain rectangle, or a rounded one
// whose corners stay clear so the desktop shows through them.
class RoundedCornerView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(float roundRadius READ roundRadius WRITE setRoundRadius)
    Q_PROPERTY(qreal alpha READ alpha WRITE setAlpha)
    Q_PROPERTY(bool opaqueFallback READ opaqueFallback WRITE setOpaqueFallback)
public:
    explicit RoundedCornerView(QWidget* parent = nullptr);

    float roundRadius() const { return m_roundRadius; }
    void setRoundRadius(float radius);
    // The window sets how much of the desktop shows through the background.
    qreal alpha() const { return m_alpha; }
    void setAlpha(qreal alpha);
    // Without a compositor nothing behind the window can show through, and clear corners
    // would show stale pixels: the window then asks for a full, square, opaque fill.
    bool opaqueFallback() const { return m_opaqueFallback; }
    void setOpaqueFallback(bool opaque);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float m_roundRadius = 0;
    qreal m_alpha = 1;
    bool m_opaqueFallback = false;
};

}
