#include "appearance/DarkableImage.h"

#include "appearance/DarkMode.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace scriblo {
namespace {

constexpr QSize size(16, 16);
const QColor orange(200, 40, 0);
const QColor invertedOrange(55, 215, 255);

class DarkableImageTest : public ::testing::Test {
protected:
    void TearDown() override { DarkMode::setDark(false); }

    // Orange with a clear left half, so the test sees that colours flip and alpha stays.
    static QPixmap halfOrange()
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter(&pixmap).fillRect(QRect(size.width() / 2, 0, size.width() / 2, size.height()), orange);
        return pixmap;
    }

    // Checks every way the image reaches the screen, so none of them can miss the flag.
    void expectDrawnIn(const QColor& colour)
    {
        QImage painted(size, QImage::Format_ARGB32);
        painted.fill(Qt::transparent);
        QPainter painter(&painted);
        image.paint(painter, painted.rect());
        painter.end();
        for (const QImage& drawn : { image.pixmap(size).toImage(), painted, tray.icon().pixmap(size).toImage() }) {
            EXPECT_EQ(drawn.pixelColor(size.width() - 1, 0), colour);
            EXPECT_EQ(drawn.pixelColor(0, 0).alpha(), 0);
        }
    }

    DarkableImage image { halfOrange() };
    QSystemTrayIcon tray;
};

// Copies share the mark, so marking one marks every copy, and one inverted copy. The
// dark flag starts light and announces only real changes.
TEST_F(DarkableImageTest, onlyAMarkedImageIsInvertedExactlyWhileDarkAndCopiesShareTheMark)
{
    EXPECT_FALSE(DarkMode::isDark());
    std::vector<bool> announced;
    QObject receiver;
    QObject::connect(&DarkMode::notifier(), &DarkMode::darkChanged, &receiver, [&](bool dark) { announced.push_back(dark); });
    image.showIn(tray);
    DarkMode::setDark(false);
    DarkMode::setDark(true);
    DarkMode::setDark(true);
    expectDrawnIn(orange);
    DarkMode::setDark(false);
    EXPECT_EQ(announced, (std::vector<bool> { true, false }));
    DarkableImage handle = image;
    handle.setDarkable(true);
    EXPECT_TRUE(image.darkable());
    expectDrawnIn(orange);
    DarkMode::setDark(true);
    expectDrawnIn(invertedOrange);
    EXPECT_EQ(handle.pixmap(size).cacheKey(), image.invertedSelf(size).cacheKey());
    DarkMode::setDark(false);
    expectDrawnIn(orange);
}

// A theme of one icon, in use while it lives, so an image carries a theme name as an
// installed icon does.
class ThemeOfOne {
public:
    explicit ThemeOfOne(const QPixmap& icon, const QString& name)
    {
        EXPECT_TRUE(QDir(m_folder.path()).mkpath(QStringLiteral("mark/16x16/apps")));
        QFile index(m_folder.filePath(QStringLiteral("mark/index.theme")));
        EXPECT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=mark\nDirectories=16x16/apps\n\n[16x16/apps]\nSize=16\n");
        index.close();
        EXPECT_TRUE(icon.save(m_folder.filePath(QStringLiteral("mark/16x16/apps/%1.png").arg(name))));
        QIcon::setThemeSearchPaths({ m_folder.path() });
        QIcon::setThemeName(QStringLiteral("mark"));
    }
    ~ThemeOfOne()
    {
        QIcon::setThemeSearchPaths(m_searchPaths);
        QIcon::setThemeName(m_name);
    }

private:
    QTemporaryDir m_folder;
    QStringList m_searchPaths = QIcon::themeSearchPaths();
    QString m_name = QIcon::themeName();
};

// A tray shown an inverted icon's theme name would draw it uninverted, so the name goes
// while the pixels are inverted; but a host recolours a symbolic icon to its panel
// itself, so that one keeps its name while dark. The pixels, for hosts that draw those,
// are inverted either way.
TEST_F(DarkableImageTest, anInstalledIconKeepsItsThemeNameWhileDrawnAsItselfOrWhenSymbolic)
{
    for (QString name : { QStringLiteral("org.example.Mark"), QStringLiteral("org.example.Mark-symbolic") }) {
        SCOPED_TRACE(name.toStdString());
        ThemeOfOne theme(halfOrange(), name);
        DarkableImage named(QIcon::fromTheme(name));
        ASSERT_EQ(named.icon().name(), name);
        DarkMode::setDark(true);
        EXPECT_EQ(named.icon().name(), name) << "an unmarked icon is never inverted";
        named.setDarkable(true);
        EXPECT_EQ(named.icon().name(), name.endsWith(QStringLiteral("-symbolic")) ? name : QString());
        EXPECT_EQ(named.pixmap(size).toImage().pixelColor(size.width() - 1, 0), invertedOrange);
        DarkMode::setDark(false);
        EXPECT_EQ(named.icon().name(), name);
    }
}

}
}
