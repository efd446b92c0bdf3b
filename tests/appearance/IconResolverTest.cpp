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

const QColor green(0, 160, 0);
const QColor blue(0, 0, 200);

// A private icon theme, so that what the machine has installed makes no difference.
class IconResolverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        writeImage("icons/test/apps/test-app.png", QSize(32, 32), green);
        std::ofstream(path("icons/test/index.theme"))
            << "[Icon Theme]\nName=test\nDirectories=apps\n\n[apps]\nSize=32\nType=Fixed\n";
        QIcon::setThemeSearchPaths({ folder.filePath("icons") });
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName("test");
        QIcon::setFallbackThemeName("test");
    }

    void writeImage(const char* name, QSize size, const QColor& colour)
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        QDir().mkpath(QFileInfo(folder.filePath(name)).path());
        ASSERT_TRUE(image.save(folder.filePath(name)));
    }

    std::string path(const char* name) const { return folder.filePath(name).toStdString(); }

    QColor centreOf(const std::string& icon) { return resolver.iconFor(icon).pixmap(32).toImage().pixelColor(16, 16); }

    QTemporaryDir folder;
    IconResolver resolver;
};

TEST_F(IconResolverTest, resolvesThemeNamesAndImagePathsOnceEachAndAnythingUnusableToTheFallbackDrawnOrFromTheTheme)
{
    writeImage("target.png", QSize(64, 64), blue);
    EXPECT_EQ(centreOf("test-app"), green);
    EXPECT_EQ(centreOf("test-app.png"), green);
    EXPECT_EQ(centreOf(path("target.png")), blue);
    std::filesystem::remove(path("target.png"));
    EXPECT_EQ(centreOf(path("target.png")), blue);

    std::ofstream(path("notes.png")) << "not an image";
    qint64 drawn = resolver.fallbackIcon().cacheKey();
    EXPECT_FALSE(resolver.fallbackIcon().pixmap(32).isNull());
    for (const std::string& icon : { std::string(), std::string("no-such-icon"), path("missing.png"), path("notes.png"), std::string("relative/test-app.png") })
        EXPECT_EQ(resolver.iconFor(icon).cacheKey(), drawn) << icon;

    writeImage("icons/test/apps/application-x-executable.png", QSize(32, 32), blue);
    IconResolver themed;
    EXPECT_EQ(themed.iconFor("no-such-icon").pixmap(32).toImage().pixelColor(16, 16), blue);
}

TEST_F(IconResolverTest, hostileIconFilesNeitherHangNorFloodMemory)
{
    std::filesystem::create_symlink("/dev/zero", path("zero.png"));
    ASSERT_EQ(mkfifo(path("pipe.png").c_str(), 0600), 0);
    std::ofstream(path("huge.png")).close();
    std::filesystem::resize_file(path("huge.png"), IconResolver::maximumFileSize + 1);
    writeImage("wide.png", QSize(4000, 1000), blue);

    // A regression here would block for ever; the alarm turns that into a failure.
    alarm(20);
    qint64 fallback = resolver.fallbackIcon().cacheKey();
    for (const char* name : { "zero.png", "pipe.png", "huge.png" })
        EXPECT_EQ(resolver.iconFor(path(name)).cacheKey(), fallback) << name;
    QList<QSize> sizes = resolver.iconFor(path("wide.png")).availableSizes();
    alarm(0);
    EXPECT_EQ(sizes, QList<QSize> { QSize(IconResolver::largestSide, IconResolver::largestSide / 4) });
}

}
}
