#include "sheet/PngEncoder.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace scriblo;

namespace {

// A page in little: white, a grey anti-aliased line, and pure colours, which would come
// out swapped if the channels' order in memory were misread.
QImage samplePage()
{
    QImage page(120, 90, QImage::Format_RGB32);
    page.setDotsPerMeterX(3779);
    page.setDotsPerMeterY(3779);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(25, 25, 25), 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(5.3, 7.1), QPointF(110.6, 80.2));
    painter.fillRect(QRect(10, 60, 8, 8), QColor(255, 0, 0));
    painter.fillRect(QRect(20, 60, 8, 8), QColor(0, 255, 0));
    painter.fillRect(QRect(30, 60, 8, 8), QColor(10, 20, 230));
    return page;
}

TEST(PngEncoderTest, aPageReadsBackPixelForPixelAtItsResolutionAndAnEmptyImageIsNotEncoded)
{
    const QImage page = samplePage();
    auto bytes = PngEncoder::encode(page);
    ASSERT_TRUE(bytes);
    QImage read = QImage::fromData(QByteArray::fromStdString(*bytes), "PNG");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), page.size());
    EXPECT_EQ(read.dotsPerMeterX(), 3779) << "96 dpi";
    EXPECT_EQ(read.dotsPerMeterY(), 3779);
    EXPECT_FALSE(read.hasAlphaChannel()) << "a page is opaque";
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), page);
    EXPECT_FALSE(PngEncoder::encode(QImage()));
}

}
