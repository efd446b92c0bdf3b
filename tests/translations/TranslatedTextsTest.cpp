#include "launch/BuiltInScripts.h"
#include "launch/ScriptFolder.h"
#include "platform/Translations.h"
#include "sheet/GestureSheet.h"
#include "sheet/GestureSheetContents.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <filesystem>

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

// The printed sheet, every built-in script (one added to data/scripts without a name in
// the catalogues would show in English) and Qt's own buttons and dialogs.
TEST_F(TranslatedTextsTest, thePrintedSheetEveryBuiltInScriptAndQtsOwnDialogsSpeakTheUsersLanguage)
{
    using scriblo::GestureSheetContents;
    using scriblo::TargetAbsence;
    EXPECT_EQ(scriblo::GestureSheet::tr("Scriblo Gestures"), QStringLiteral("Scriblo-Gesten"));
    EXPECT_EQ(GestureSheetContents::reason(TargetAbsence::NoBrowser), QStringLiteral("Der zugehörige Browser ist nicht installiert"));
    EXPECT_EQ(GestureSheetContents::reason(TargetAbsence::Gone), QStringLiteral("Nicht mehr auf diesem Computer"));
    int count = 0;
    for (const auto& file : std::filesystem::directory_iterator(SCRIBLO_SOURCE_DIR "/data/scripts")) {
        EXPECT_NE(scriblo::BuiltInScripts::displayName(file.path()), scriblo::ScriptFolder::displayName(file.path()))
            << file.path();
        ++count;
    }
    EXPECT_GE(count, 5);
    EXPECT_EQ(scriblo::BuiltInScripts::displayName("/anywhere/Empty Trash.sh"), "Papierkorb leeren");
    EXPECT_EQ(scriblo::BuiltInScripts::displayName("/anywhere/Backup.sh"), "Backup") << "the user's own keep their names";

    ASSERT_TRUE(QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).exists(QStringLiteral("qtbase_de.qm")))
        << "Qt's catalogues are missing: install qt6-translations-l10n (scripts/install-deps.sh)";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"), QStringLiteral("Speichern unter"));
}
