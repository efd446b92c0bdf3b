#include "app/demo/DemoSamples.h"
#include "app/demo/DesktopHand.h"
#include "support/AccessibleDesktopTest.h"

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::DemoSamples::zigzag;
using namespace scriblo::testing;

namespace {

constexpr int scriptsSegment = 2;
constexpr int segmentCount = 5;

// The real program started in the user's language, read through the accessibility bus
// as a screen reader would read it.
class TranslatedSetupEndToEndTest : public AccessibleDesktopTest {
protected:
    static void SetUpTestSuite() { startAccessibleDesktop(QStringLiteral("1024x768x24")); }

    void SetUp() override
    {
        AccessibleDesktopTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Only LANGUAGE speaks: the locale of the machine running the tests must not.
        for (const char* variable : { "LC_ALL", "LC_MESSAGES", "LANG" })
            session->environment().remove(QString::fromLatin1(variable));
        // A gesture stored, so the window opens only because no tray is there to hold it.
        session->importGesture(session->makeScript(QStringLiteral("Other")), zigzag());
    }

    // The setup window of the program started under LANGUAGE=`language`, found by its
    // translated name.
    void startIn(const QString& language, const QString& setupWindowName)
    {
        session->environment().insert(QStringLiteral("LANGUAGE"), language);
        startShowingSetupWindow(setupWindowName);
    }
};

}

TEST_F(TranslatedSetupEndToEndTest, theSetupWindowSpeaksEachLanguageAndTheScriptsNoticeGerman)
{
    const std::pair<const char*, const char*> languages[] = {
        { "fr", "Configuration de Scriblo" },
        { "es", "Configuración de Scriblo" },
    };
    for (const auto& [language, setupWindowName] : languages) {
        ASSERT_NO_FATAL_FAILURE(startIn(QString::fromUtf8(language), QString::fromUtf8(setupWindowName)));
        session->stopApplication();
    }

    ASSERT_NO_FATAL_FAILURE(startIn(QStringLiteral("de"), QStringLiteral("Scriblo-Einrichtung")));
    EXPECT_TRUE(control(QStringLiteral("Zuweisen"), QStringLiteral("push button")).has(AccessibleState::Showing));
    EXPECT_TRUE(control(QStringLiteral("Hinweis zum Infobereich")).has(AccessibleState::Showing));
    AccessibleObject picker = control(QStringLiteral("Art des Ziels"));
    EXPECT_EQ(picker.description(), QStringLiteral("Anwendungen"));

    // The once-ever notice, in German too, with its German button.
    DesktopHand hand;
    ASSERT_TRUE(hand.connected());
    ScreenRect area = picker.extents();
    hand.click(area.x + area.width * (2 * scriptsSegment + 1) / (2 * segmentCount), area.centreY());
    auto notice = tree->waitFor(*application, QStringLiteral("Hinweis zu eigenen Skripten"));
    ASSERT_TRUE(notice) << "the first look at the scripts brings up the notice";
    auto button = tree->waitFor(*notice, QStringLiteral("Super!"), QStringLiteral("push button"));
    ASSERT_TRUE(button && button->doAction());
    EXPECT_TRUE(processEventsUntil([&] { return picker.description() == QStringLiteral("Skripte"); }, 5000));
}
