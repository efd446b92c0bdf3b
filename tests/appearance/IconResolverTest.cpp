#include "appearance/IconResolver.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scriblo {
namespace {

const QColor themeGreen(0, 160, 0);
const QColor fileBlue(0, 0, 200);
const QColor themeGenericRed(200, 0, 0);

// A private icon theme, so that what the test machine has installed makes no difference.
class IconResolverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QString themes = folder.filePath("icons");
        writeFile(themes + "/scriblo-test/index.theme",
            "[Icon Theme]\nName=scriblo-test\nDirectories=32x32/apps\n\n[32x32/apps]\nSize=32\nType=Fixed\n");
        writeImage(themes + "/scriblo-test/32x32/apps/scriblo-test-app.png", QSize(32, 32), themeGreen);
        QIcon::setThemeSearchPaths({ themes });
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName("scriblo-test");
        QIcon::setFallbackThemeName("scriblo-test");
    }

    static void writeFile(const QString& path, const std::string& text)
    {
        std::filesystem::create_directories(std::filesystem::path(path.toStdString()).parent_path());
        std::ofstream(path.toStdString(), std::ios::binary) << text;
    }

    static void writeImage(const QString& path, QSize size, const QColor& colour)
    {
        QDir().mkpath(QFileInfo(path).path());
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path));
    }

    std::string path(const char* name) const { return folder.filePath(name).toStdString(); }

    static QColor centre(const QIcon& icon)
    {
        return icon.pixmap(QSize(32, 32)).toImage().pixelColor(16, 16);
    }

    QTemporaryDir folder;
    IconResolver resolver;
};

TEST_F(IconResolverTest, resolvesThemeNamesAndImagePaths)
{
    writeImage(folder.filePath("target.png"), QSize(64, 64), fileBlue);
    EXPECT_EQ(centre(resolver.iconFor("scriblo-test-app")), themeGreen);
    EXPECT_EQ(centre(resolver.iconFor("scriblo-test-app.png")), themeGreen);
    EXPECT_EQ(centre(resolver.iconFor(path("target.png"))), fileBlue);
}

TEST_F(IconResolverTest, anythingUnusableGetsTheDrawnFallbackWhenTheThemeHasNone)
{
    writeFile(folder.filePath("notes.png"), "not an image");
    qint64 fallback = resolver.fallbackIcon().cacheKey();
    EXPECT_FALSE(resolver.fallbackIcon().pixmap(QSize(32, 32)).isNull());
    for (const std::string& icon : { std::string(), std::string("no-such-icon"), path("missing.png"), path("notes.png"), std::string("relative/target.png") })
        EXPECT_EQ(resolver.iconFor(icon).cacheKey(), fallback) << icon;
}

TEST_F(IconResolverTest, fallbackComesFromTheThemeWhenItHasOne)
{
    writeImage(folder.filePath("icons/scriblo-test/32x32/apps/application-x-executable.png"), QSize(32, 32), themeGenericRed);
    EXPECT_EQ(centre(resolver.iconFor("no-such-icon")), themeGenericRed);
}

TEST_F(IconResolverTest, eachStringIsReadOnce)
{
    writeImage(folder.filePath("target.png"), QSize(32, 32), fileBlue);
    qint64 first = resolver.iconFor(path("target.png")).cacheKey();
    std::filesystem::remove(path("target.png"));
    EXPECT_EQ(resolver.iconFor(path("target.png")).cacheKey(), first);
    EXPECT_EQ(centre(resolver.iconFor(path("target.png"))), fileBlue);
}

TEST_F(IconResolverTest, hostileIconFilesNeitherHangNorFloodMemory)
{
    std::filesystem::create_symlink("/dev/zero", path("zero.png"));
    ASSERT_EQ(mkfifo(path("pipe.png").c_str(), 0600), 0);
    std::ofstream(path("huge.png")).close();
    std::filesystem::resize_file(path("huge.png"), IconResolver::maximumFileSize + 1);
    writeImage(folder.filePath("wide.png"), QSize(4000, 1000), fileBlue);

    // A regression here would block for ever; the alarm turns that into a failure.
    alarm(20);
    qint64 fallback = resolver.fallbackIcon().cacheKey();
    for (const char* name : { "zero.png", "pipe.png", "huge.png" })
        EXPECT_EQ(resolver.iconFor(path(name)).cacheKey(), fallback) << name;
    QList<QSize> sizes = resolver.iconFor(path("wide.png")).availableSizes();
    alarm(0);
    ASSERT_EQ(sizes.size(), 1);
    EXPECT_EQ(sizes.front(), QSize(IconResolver::largestSide, IconResolver::largestSide / 4));
}

}
}
