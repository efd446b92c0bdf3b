#include "platform/Translations.h"
#include "sheet/GestureSheet.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <gtest/gtest.h>

namespace {

// The catalogues as the program installs them for a German user: Scriblo's own, built
// in this tree, and Qt's from the system.
class TranslatedTextsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "translation_tests";
        static char* argv[] = { name, nullptr };
        static QCoreApplication application(argc, argv);
        scriblo::Translations::install(application, { QStringLiteral("de-DE"), QStringLiteral("de") });
    }
};

}

TEST_F(TranslatedTextsTest, qtsOwnButtonsAndDialogsSpeakTheUsersLanguage)
{
    ASSERT_TRUE(QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).exists(QStringLiteral("qtbase_de.qm")))
        << "Qt's catalogues are missing: install qt6-translations-l10n (scripts/install-deps.sh)";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Speichern unter"));
}

TEST_F(TranslatedTextsTest, thePrintedSheetSpeaksTheUsersLanguage)
{
    EXPECT_EQ(scriblo::GestureSheet::tr("Scriblo Gestures"), QStringLiteral("Scriblo-Gesten"));
}
