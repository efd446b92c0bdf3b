#include "platform/Translations.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using scriblo::Translations::chosenLanguage;

namespace {

class TranslationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* language : { "de", "fr", "pt_BR" }) {
            QFile catalogue(m_folder.filePath(QStringLiteral("scriblo_%1.qm").arg(QLatin1String(language))));
            ASSERT_TRUE(catalogue.open(QIODevice::WriteOnly));
        }
    }

    std::optional<QString> choose(const QStringList& uiLanguages) { return chosenLanguage(uiLanguages, QDir(m_folder.path())); }

    QTemporaryDir m_folder;
};

}

TEST_F(TranslationsTest, takesTheFirstLanguageWithACatalogueFallingBackFromRegionAndScriptUntilEnglish)
{
    EXPECT_EQ(choose({ "de", "de-Latn-DE", "de-DE" }), QStringLiteral("de"));
    EXPECT_EQ(choose({ "de-AT", "de-Latn-AT" }), QStringLiteral("de"));
    EXPECT_EQ(choose({ "it", "it-IT", "fr-CA" }), QStringLiteral("fr"));
    EXPECT_EQ(choose({ "pt-BR" }), QStringLiteral("pt_BR"));
    EXPECT_EQ(choose({ "pt-PT" }), std::nullopt);
    // English, or no language, keeps the texts as written.
    EXPECT_EQ(choose({ "en-GB", "en-Latn-GB", "de", "de-DE" }), std::nullopt);
    EXPECT_EQ(choose({ "it", "en-US", "fr" }), std::nullopt);
    EXPECT_EQ(choose({ "C" }), std::nullopt);
    EXPECT_EQ(choose({}), std::nullopt);
}
