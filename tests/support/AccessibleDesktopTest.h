#pragma once

#include "platform/AccessibilityBus.h"
#include "platform/AccessibilityTree.h"
#include "support/DesktopSessionTest.h"

#include <QFileInfo>

#include <optional>

namespace scriblo::testing {

// The real program on the suite's own desktop, seen through an accessibility bus of the
// suite's own, as a screen reader sees it: the bus and its tree are made once per suite,
// and each test starts the program with accessibility on.
class AccessibleDesktopTest : public DesktopSessionTest {
protected:
    static void startAccessibleDesktop(const QString& screenSize)
    {
        startDesktop(screenSize);
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
        if (!accessibilityBus)
            GTEST_SKIP() << AccessibilityBus::launcher << " is missing; install at-spi2-core";
        if (accessibilityBus->address().isEmpty() || !tree->connected())
            GTEST_SKIP() << "the accessibility bus did not start";
        session->environment().insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    }

    // Starts the program and finds its setup window by the name it shows under.
    void startShowingSetupWindow(const QString& setupWindowName)
    {
        ASSERT_NO_FATAL_FAILURE(session->startApplication());
        application = tree->application(QStringLiteral("Scriblo"));
        ASSERT_TRUE(application) << "the application must show on the accessibility bus";
        setupWindow = tree->waitFor(*application, setupWindowName);
        ASSERT_TRUE(setupWindow) << setupWindowName.toStdString() << " must be in the accessibility tree";
    }

    // The control called `name` (of `roleName`, when given) in the setup window.
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
