#include "FakeWorkspace.h"
#include "launch/Application.h"
#include "launch/BrowserPage.h"
#include "launch/DryRunWorkspace.h"
#include "launch/Script.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::testing;

TEST(DryRunWorkspaceTest, everyKindOfLaunchIsHeldBackAndNeverReachesTheDesktop)
{
    auto desktop = std::make_shared<FakeWorkspace>();
    int heldBack = 0;
    auto dryRun = std::make_shared<DryRunWorkspace>(desktop, [&heldBack] { ++heldBack; });
    std::shared_ptr<Launchable> targets[] = {
        std::make_shared<Script>("Lock Screen", "", "/usr/share/scriblo/Scripts/Lock Screen.sh", dryRun),
        std::make_shared<Application>("Files", "", "org.gnome.Nautilus.desktop", dryRun),
        std::make_shared<ChromePage>("News", "", "https://example.org/", dryRun),
    };
    for (const auto& target : targets)
        EXPECT_TRUE(target->launchHere()) << target->displayName();
    EXPECT_EQ(heldBack, 3);
    EXPECT_TRUE(desktop->launches().empty());
    desktop->fileManager = "org.gnome.Nautilus.desktop";
    EXPECT_EQ(dryRun->defaultApplicationForType("inode/directory"), "org.gnome.Nautilus.desktop")
        << "questions about the desktop still get its answers";
}
