#include "sheet/DrawingThumbnail.h"
#include "sheet/RoundPenOutline.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

using namespace scriblo;

namespace {

QImage painted(const std::function<void(QPainter&)>& paint)
{
    QImage image(200, 140, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return image;
}

// Filled, the outline must cover what Qt's round pen covers: no hole where pieces of the
// line overlap, no notch at a turn, round ends. Anti-aliasing may differ a little.
void expectLooksLikeThePen(const QPainterPath& line, double width)
{
    const QColor ink(25, 25, 25);
    QImage filled = painted([&](QPainter& painter) { painter.fillPath(RoundPenOutline::of(line, width, 1), ink); });
    QImage stroked = painted([&](QPainter& painter) {
        painter.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(line);
    });
    long inked = 0;
    long differing = 0;
    int largest = 0;
    for (int y = 0; y < filled.height(); ++y)
        for (int x = 0; x < filled.width(); ++x) {
            int difference = std::abs(qRed(filled.pixel(x, y)) - qRed(stroked.pixel(x, y)));
            inked += qRed(stroked.pixel(x, y)) < 128;
            differing += difference > 40;
            largest = std::max(largest, difference);
        }
    EXPECT_GT(inked, 0);
    EXPECT_LE(differing, inked / 50 + 2) << "pixels that differ by more than anti-aliasing, of " << inked;
    EXPECT_LT(largest, 140);
}

QPainterPath polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.moveTo(*points.begin());
    for (auto it = points.begin() + 1; it != points.end(); ++it)
        path.lineTo(*it);
    return path;
}

TEST(RoundPenOutlineTest, coversWhatTheRoundPenCovers)
{
    // Turns both ways, gentle and sharp, a line that doubles back on itself, a point
    // repeated and three in a row, and a zigzag that crosses itself.
    expectLooksLikeThePen(polyline({ { 10.3, 20.2 }, { 60.7, 22.1 }, { 90.2, 70.6 }, { 40.4, 95.3 }, { 41.1, 30.8 } }), 2.8);
    expectLooksLikeThePen(polyline({ { 20.5, 60.5 }, { 120.2, 60.5 }, { 60.1, 60.5 }, { 60.1, 60.5 } }), 2.8);
    expectLooksLikeThePen(polyline({ { 20, 100 }, { 50, 100 }, { 80, 100 }, { 140, 10 }, { 30, 40 }, { 150, 90 } }), 1.5);
    QPainterPath zigzag;
    zigzag.moveTo(10, 10);
    for (int i = 1; i < 60; ++i)
        zigzag.lineTo(10 + i * 2.3, i % 2 ? 100.4 : 12.7);
    expectLooksLikeThePen(zigzag, 2.8);

    // A single point is a dot, and nothing is nothing.
    QPainterPath dot = RoundPenOutline::of(polyline({ { 50.5, 40.2 }, { 50.5, 40.2 } }), 6, 1);
    EXPECT_NEAR(dot.boundingRect().width(), 6, 0.01);
    EXPECT_NEAR(dot.boundingRect().height(), 6, 0.01);
    EXPECT_TRUE(dot.contains(QPointF(50.5, 40.2)));
    EXPECT_TRUE(RoundPenOutline::of(QPainterPath(), 6, 1).isEmpty());
}

// The well's frame on pixels is filled rather than stroked in the same way; it must cover
// what its pen covers.
TEST(RoundPenOutlineTest, aWellsFrameOnPixelsIsThePensFrame)
{
    const QRectF well(10.3, 12.6, 162.4, 112);
    QImage filled = painted([&](QPainter& painter) { DrawingThumbnail::paint(painter, well, {}, DrawingThumbnail::Look::Ink); });
    QImage stroked = painted([&](QPainter& painter) {
        painter.setPen(QPen(QColor(200, 200, 200), 1));
        painter.drawRoundedRect(well.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    });
    int frame = 0;
    for (int y = 0; y < filled.height(); ++y)
        for (int x = 0; x < filled.width(); ++x) {
            frame += qRed(stroked.pixel(x, y)) < 255;
            EXPECT_NEAR(qRed(filled.pixel(x, y)), qRed(stroked.pixel(x, y)), 24) << x << "," << y;
        }
    EXPECT_GT(frame, 2 * (162 + 112)) << "the frame is drawn";
}

}
