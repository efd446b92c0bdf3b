#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString dataFolder = QStringLiteral(SCRIBLO_SOURCE_DIR "/data");

struct Metainfo {
    std::map<QString, QString> releaseDates;
    // Image file name to caption.
    std::map<QString, QString> screenshots;
};

Metainfo readMetainfo()
{
    QFile file(dataFolder + QStringLiteral("/org.scriblo.Scriblo.metainfo.xml"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    Metainfo metainfo;
    QString caption;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("release"))
            metainfo.releaseDates[xml.attributes().value(QLatin1String("version")).toString()]
                = xml.attributes().value(QLatin1String("date")).toString();
        else if (xml.name() == QLatin1String("caption"))
            caption = xml.readElementText();
        else if (xml.name() == QLatin1String("image"))
            metainfo.screenshots[QUrl(xml.readElementText()).fileName()] = std::exchange(caption, {});
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return metainfo;
}

// Each entry's version and the day of its trailer line.
std::map<QString, QString> changelogDates()
{
    QFile file(dataFolder + QStringLiteral("/debian/changelog"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    static const QRegularExpression heading(QStringLiteral("^scriblo \\(([^)]+)\\)"));
    static const QRegularExpression trailer(QStringLiteral("^ -- .*>  (.*)$"));
    std::map<QString, QString> dates;
    QString version;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (auto match = heading.match(line); match.hasMatch())
            version = match.captured(1);
        else if (auto match = trailer.match(line); match.hasMatch())
            dates[version] = QDateTime::fromString(match.captured(1), Qt::RFC2822Date).toUTC().date().toString(Qt::ISODate);
    }
    return dates;
}

}

TEST(PackageMetadataTest, everyPackagedVersionHasAReleaseEntryOfTheSameDay)
{
    auto releases = readMetainfo().releaseDates;
    auto changelog = changelogDates();
    ASSERT_TRUE(changelog.count(QStringLiteral(SCRIBLO_VERSION))) << "the changelog must have the program's version";
    for (const auto& [version, date] : changelog) {
        ASSERT_TRUE(releases.count(version)) << "no release entry for " << version.toStdString();
        EXPECT_EQ(releases[version], date) << version.toStdString();
    }
    EXPECT_EQ(releases.size(), changelog.size()) << "a release entry that no package had";
}

TEST(PackageMetadataTest, everyScreenshotHasACaptionAndIsShippedAndEveryShippedOneIsNamed)
{
    auto screenshots = readMetainfo().screenshots;
    ASSERT_FALSE(screenshots.empty());
    for (const auto& [image, caption] : screenshots) {
        EXPECT_FALSE(caption.isEmpty()) << image.toStdString();
        QFile picture(dataFolder + QStringLiteral("/screenshots/") + image);
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly)) << image.toStdString() << " is not in data/screenshots";
        EXPECT_TRUE(picture.read(8).startsWith("\x89PNG")) << image.toStdString();
    }
    for (const QString& file : QDir(dataFolder + QStringLiteral("/screenshots")).entryList(QDir::Files))
        EXPECT_TRUE(screenshots.count(file)) << file.toStdString() << " is installed but named nowhere";
}
