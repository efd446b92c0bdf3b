#include "appearance/RoundedCornerView.h"

#include <QImage>
#include <gtest/gtest.h>

namespace scriblo {
namespace {

constexpr int width = 300;
constexpr int height = 200;

class RoundedCornerViewTest : public ::testing::Test {
protected:
    void SetUp() override { view.resize(width, height); }

    // Only the view's own painting, on a clear image, as it lands in a translucent window.
    QImage render(const QRegion& region = QRegion())
    {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QRegion painted = region.isEmpty() ? QRegion(view.rect()) : region;
        view.render(&image, painted.boundingRect().topLeft(), painted, QWidget::DrawChildren);
        return image;
    }

    static void expectNearBlack(const QImage& image, QPoint point, int alpha = 255)
    {
        QColor color = image.pixelColor(point);
        EXPECT_NEAR(color.red(), 13, 1) << point.x() << "," << point.y();
        EXPECT_EQ(color.red(), color.blue());
        EXPECT_NEAR(color.alpha(), alpha, 1) << point.x() << "," << point.y();
    }

    static QList<QPoint> corners() { return { { 0, 0 }, { width - 1, 0 }, { 0, height - 1 }, { width - 1, height - 1 } }; }

    RoundedCornerView view;
};

TEST_F(RoundedCornerViewTest, withoutRadiusFillsEverythingNearBlack)
{
    EXPECT_EQ(view.roundRadius(), 0);
    QImage image = render();
    for (QPoint corner : corners())
        expectNearBlack(image, corner);
    expectNearBlack(image, { width / 2, height / 2 });
}

TEST_F(RoundedCornerViewTest, positiveRadiusLeavesCornersClear)
{
    view.setRoundRadius(8.15f);
    QImage image = render();
    for (QPoint corner : corners())
        EXPECT_EQ(image.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
    expectNearBlack(image, { width / 2, height / 2 });
    expectNearBlack(image, { width / 2, 0 });
    expectNearBlack(image, { 0, height / 2 });
}

TEST_F(RoundedCornerViewTest, alphaLetsTheDesktopThrough)
{
    view.setRoundRadius(8);
    view.setAlpha(0.87);
    QImage image = render();
    expectNearBlack(image, { width / 2, height / 2 }, 222);
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
}

TEST_F(RoundedCornerViewTest, opaqueFallbackIsSquareAndOpaqueWhateverTheRadiusAndAlpha)
{
    view.setRoundRadius(8);
    view.setAlpha(0.87);
    view.setOpaqueFallback(true);
    QImage image = render();
    for (QPoint corner : corners())
        expectNearBlack(image, corner);
    expectNearBlack(image, { width / 2, height / 2 });
}

TEST_F(RoundedCornerViewTest, partialRepaintKeepsTheWholeViewsShape)
{
    view.setRoundRadius(30);
    QRect middle(50, 50, 200, 100);
    QImage image = render(middle);
    for (QPoint corner : { middle.topLeft(), middle.topRight(), middle.bottomLeft(), middle.bottomRight() })
        expectNearBlack(image, corner);
}

}
}
