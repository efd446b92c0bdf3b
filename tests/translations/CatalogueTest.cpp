#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    bool unfinished = false;
};

std::vector<Message> readCatalogue(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            messages.push_back({ context, {}, {}, false });
        else if (xml.name() == QLatin1String("source"))
            messages.back().source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            messages.back().unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            messages.back().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%L?[1-9][0-9]?"));
    QSet<QString> found;
    for (const auto& match : placeholder.globalMatch(text))
        found.insert(match.captured());
    return found;
}

// Each shipped catalogue, brought up to date with the sources in a scratch copy the way
// `make translations` would: a string that is new or changed in the sources comes in
// unfinished, so this fails until the catalogue in the tree translates it.
class CatalogueTest : public ::testing::TestWithParam<std::string> {
protected:
    QString catalogue() const { return QString::fromStdString(GetParam()); }

    std::vector<Message> refreshedCopy()
    {
        QString copy = m_scratch.filePath(QFileInfo(catalogue()).fileName());
        EXPECT_TRUE(QFile::copy(catalogue(), copy));
        QProcess lupdate;
        lupdate.start(QStringLiteral(SCRIBLO_LUPDATE),
                      { QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                        QStringLiteral("-no-obsolete"), QStringLiteral(SCRIBLO_SOURCE_DIR "/src"), QStringLiteral("-ts"),
                        copy });
        EXPECT_TRUE(lupdate.waitForFinished(60000));
        EXPECT_EQ(lupdate.exitCode(), 0);
        // Its warnings name strings that would stay untranslated at run time, such as a
        // tr() in a class without Q_OBJECT.
        EXPECT_EQ(lupdate.readAllStandardError().trimmed().toStdString(), "");
        return readCatalogue(copy);
    }

    QTemporaryDir m_scratch;
};

}

// German, French and Spanish put a space between a number and its percent sign; a
// plain one lets a narrow label break the line there, leaving the sign alone.
TEST_P(CatalogueTest, translatesEverySourceStringKeepingEveryPlaceholderAndPercentSignsWithTheirNumbers)
{
    auto messages = refreshedCopy();
    EXPECT_FALSE(messages.empty());
    QStringList untranslated;
    for (const Message& message : messages) {
        if (message.unfinished || message.translation.isEmpty())
            untranslated << message.context + QStringLiteral(": \"") + message.source + QLatin1Char('"');
    }
    EXPECT_TRUE(untranslated.isEmpty())
        << "untranslated in " << GetParam() << " (run `make translations`, then translate them):\n  "
        << untranslated.join(QStringLiteral("\n  ")).toStdString();

    static const QRegularExpression brokenPercent(QStringLiteral("%L?[1-9][0-9]? %"));
    for (const Message& message : readCatalogue(catalogue())) {
        EXPECT_EQ(placeholders(message.translation), placeholders(message.source))
            << message.context.toStdString() << ": \"" << message.source.toStdString() << "\" -> \""
            << message.translation.toStdString() << '"';
        EXPECT_FALSE(message.translation.contains(brokenPercent))
            << message.context.toStdString() << ": \"" << message.translation.toStdString() << "\" needs U+00A0 before %";
    }
}

namespace {

std::vector<std::string> shippedCatalogues()
{
    std::vector<std::string> paths;
    for (const QString& path : QString(SCRIBLO_TRANSLATION_CATALOGUES).split(QLatin1Char(',')))
        paths.push_back(path.toStdString());
    return paths;
}

}

INSTANTIATE_TEST_SUITE_P(Shipped, CatalogueTest, ::testing::ValuesIn(shippedCatalogues()),
                         [](const auto& info) { return QFileInfo(QString::fromStdString(info.param)).baseName().toStdString(); });
