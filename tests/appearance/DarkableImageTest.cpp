#include "appearance/DarkableImage.h"

#include "appearance/DarkMode.h"

#include <QImage>
#include <QPainter>
#include <QSystemTrayIcon>
#include <functional>
#include <gtest/gtest.h>

namespace scriblo {
namespace {

constexpr QSize size(16, 16);
const QColor orange(200, 40, 0);
const QColor invertedOrange(55, 215, 255);

// Orange with a clear left half, so the test sees that colours flip and alpha stays.
QPixmap halfOrange()
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(QRect(size.width() / 2, 0, size.width() / 2, size.height()), orange);
    return QPixmap::fromImage(image);
}

QImage painted(const DarkableImage& image)
{
    QImage target(size, QImage::Format_ARGB32);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    image.paint(painter, QRect(QPoint(), size));
    return target;
}

class DarkableImageTest : public ::testing::Test {
protected:
    void TearDown() override { DarkMode::setDark(false); }

    // Every way the image reaches the screen, so none of them can miss the flag.
    static std::vector<std::function<QImage()>> drawings(const DarkableImage& image, QSystemTrayIcon& tray)
    {
        return {
            [=] { return image.pixmap(size).toImage(); },
            [=] { return painted(image); },
            [=] { return image.icon().pixmap(size).toImage(); },
            [&] { return tray.icon().pixmap(size).toImage(); },
        };
    }

    static void expectColour(const std::vector<std::function<QImage()>>& drawings, const QColor& colour)
    {
        for (size_t index = 0; index < drawings.size(); ++index) {
            QImage drawn = drawings[index]();
            EXPECT_EQ(drawn.pixelColor(size.width() - 1, 0), colour) << "drawing " << index;
            EXPECT_EQ(drawn.pixelColor(0, 0).alpha(), 0) << "drawing " << index;
        }
    }

    DarkableImage image { halfOrange() };
    QSystemTrayIcon tray;
};

TEST_F(DarkableImageTest, darkFlagStartsLightAndAnnouncesOnlyRealChanges)
{
    EXPECT_FALSE(DarkMode::isDark());
    std::vector<bool> announced;
    QObject context;
    QObject::connect(&DarkMode::notifier(), &DarkMode::darkChanged, &context, [&](bool dark) { announced.push_back(dark); });
    DarkMode::setDark(false);
    DarkMode::setDark(true);
    DarkMode::setDark(true);
    DarkMode::setDark(false);
    EXPECT_EQ(announced, (std::vector<bool> { true, false }));
}

TEST_F(DarkableImageTest, markedImageIsInvertedExactlyWhileDark)
{
    image.setDarkable(true);
    image.showIn(tray);
    auto ways = drawings(image, tray);
    expectColour(ways, orange);
    DarkMode::setDark(true);
    expectColour(ways, invertedOrange);
    DarkMode::setDark(false);
    expectColour(ways, orange);
}

TEST_F(DarkableImageTest, unmarkedImageNeverInverts)
{
    EXPECT_FALSE(image.darkable());
    image.showIn(tray);
    DarkMode::setDark(true);
    expectColour(drawings(image, tray), orange);
}

TEST_F(DarkableImageTest, copiesShareTheMarkAndOneInvertedCopy)
{
    DarkableImage handle = image;
    handle.setDarkable(true);
    EXPECT_TRUE(image.darkable());
    qint64 inverted = image.invertedSelf(size).cacheKey();
    DarkMode::setDark(true);
    EXPECT_EQ(handle.pixmap(size).cacheKey(), inverted);
    EXPECT_EQ(image.pixmap(size).cacheKey(), inverted);
}

}
}
