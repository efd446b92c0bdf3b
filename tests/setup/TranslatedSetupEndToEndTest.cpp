#include "app/demo/DemoSamples.h"
#include "platform/AccessibilityBus.h"
#include "platform/AccessibilityTree.h"
#include "platform/DesktopHand.h"
#include "support/DesktopSessionTest.h"

#include <QFileInfo>

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::DemoSamples::zigzag;
using namespace scriblo::testing;

namespace {

constexpr int scriptsSegment = 2;
constexpr int segmentCount = 5;

// The real program started in the user's language, read through the accessibility bus
// as a screen reader would read it.
class TranslatedSetupEndToEndTest : public DesktopSessionTest {
protected:
    static void SetUpTestSuite()
    {
        startDesktop(QStringLiteral("1024x768x24"));
        if (!desktopRunning() || !QFileInfo(QString::fromLatin1(AccessibilityBus::launcher)).isExecutable())
            return;
        accessibilityBus = new AccessibilityBus(bus->address());
        tree = new AccessibilityTree(accessibilityBus->address());
    }
    static void TearDownTestSuite()
    {
        delete tree;
        delete accessibilityBus;
        tree = nullptr;
        accessibilityBus = nullptr;
        stopDesktop();
    }

    void SetUp() override
    {
        DesktopSessionTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        if (!accessibilityBus || accessibilityBus->address().isEmpty() || !tree->connected())
            GTEST_SKIP() << "the accessibility bus did not start; install at-spi2-core";
        session->environment().insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
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
        ASSERT_NO_FATAL_FAILURE(session->startApplication());
        application = tree->application(QStringLiteral("Scriblo"));
        ASSERT_TRUE(application) << "the application must show on the accessibility bus";
        setupWindow = tree->waitFor(*application, setupWindowName);
        ASSERT_TRUE(setupWindow) << setupWindowName.toStdString() << " must be in the accessibility tree";
    }

    AccessibleObject control(const QString& name, const QString& roleName = {})
    {
        auto found = tree->waitFor(*setupWindow, name, roleName);
        EXPECT_TRUE(found) << name.toStdString();
        return found.value_or(*setupWindow);
    }

    static inline AccessibilityBus* accessibilityBus = nullptr;
    static inline AccessibilityTree* tree = nullptr;
    std::optional<AccessibleObject> application;
    std::optional<AccessibleObject> setupWindow;
};

}

TEST_F(TranslatedSetupEndToEndTest, theSetupWindowAndTheScriptsNoticeSpeakGerman)
{
    ASSERT_NO_FATAL_FAILURE(startIn(QStringLiteral("de"), QStringLiteral("Scriblo-Einrichtung")));
    EXPECT_TRUE(control(QStringLiteral("Eine Geste zuweisen"), QStringLiteral("push button")).has(AccessibleState::Showing));
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

TEST_F(TranslatedSetupEndToEndTest, frenchAndSpanishAreInstalledToo)
{
    const std::pair<const char*, const char*> languages[] = {
        { "fr", "Configuration de Scriblo" },
        { "es", "Configuración de Scriblo" },
    };
    for (const auto& [language, setupWindowName] : languages) {
        ASSERT_NO_FATAL_FAILURE(startIn(QString::fromUtf8(language), QString::fromUtf8(setupWindowName)));
        session->stopApplication();
    }
}
