#include "appearance/RoundedCornerView.h"

#include <QImage>
#include <gtest/gtest.h>

namespace scriblo {
namespace {

const QRect bounds(0, 0, 300, 200);
const QList<QPoint> corners { bounds.topLeft(), bounds.topRight(), bounds.bottomLeft(), bounds.bottomRight() };

// The view's own painting only, on a clear image, as it lands in a translucent window.
QImage render(RoundedCornerView& view, const QRect& repainted = bounds)
{
    view.resize(bounds.size());
    QImage image(bounds.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    view.render(&image, repainted.topLeft(), QRegion(repainted), QWidget::DrawChildren);
    return image;
}

// White 0.05 is 13 of 255.
void expectNearBlack(const QImage& image, QPoint point, int alpha = 255)
{
    QColor colour = image.pixelColor(point);
    EXPECT_EQ(colour, QColor(13, 13, 13, alpha)) << point.x() << "," << point.y();
}

// Without a radius, or with the opaque fallback, everything is filled opaque. A partial
// repaint keeps the whole view's shape: its corners are not the view's.
TEST(RoundedCornerViewTest, fillsOpaqueWithoutRadiusOrWithTheFallbackAndElseLeavesCornersClearWhateverIsRepainted)
{
    RoundedCornerView plain;
    RoundedCornerView fallback;
    fallback.setRoundRadius(8);
    fallback.setAlpha(0.87);
    fallback.setOpaqueFallback(true);
    for (RoundedCornerView* view : { &plain, &fallback }) {
        QImage image = render(*view);
        for (QPoint point : corners + QList<QPoint> { bounds.center() })
            expectNearBlack(image, point);
    }

    RoundedCornerView view;
    view.setRoundRadius(8.15f);
    view.setAlpha(0.87);
    QImage image = render(view);
    for (QPoint corner : corners)
        EXPECT_EQ(image.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
    for (QPoint inside : { bounds.center(), QPoint(bounds.center().x(), 0), QPoint(0, bounds.center().y()) })
        expectNearBlack(image, inside, 222);

    view.setAlpha(1);
    view.setRoundRadius(30);
    QRect middle(50, 50, 200, 100);
    QImage part = render(view, middle);
    for (QPoint corner : { middle.topLeft(), middle.topRight(), middle.bottomLeft(), middle.bottomRight() })
        expectNearBlack(part, corner);
}

}
}
