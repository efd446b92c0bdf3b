#include "DesktopFixture.h"
#include "launch/Application.h"
#include "launch/Script.h"
#include "launch/DesktopBrowserScripting.h"
#include "launch/DesktopWorkspace.h"
#include "launch/LaunchableCatalogue.h"

using namespace scriblo;

namespace {

class DesktopLaunchTest : public scriblo::testing::DesktopFixture { };

}

TEST_F(DesktopLaunchTest, scriptRunsIntactInTheHomeFolderWithNoArguments)
{
    auto output = root / "out";
    auto script = dataHome / "Scriblo/Scripts/it's a \"test\"; rm -rf x.sh";
    writeFile(script, "#!/bin/sh\necho \"$(pwd) $#\" > '" + output.string() + "'\n", true);
    LaunchableCatalogue catalogue(std::make_shared<DesktopWorkspace>(), root / "none");
    catalogue.fetch("scripts");
    auto target = catalogue.findLaunchableWithId(script.string());
    ASSERT_TRUE(target);
    target->launchWithNewThread(LaunchThread::New);
    EXPECT_EQ(awaitFile(output), home.string() + " 0\n");
}

TEST_F(DesktopLaunchTest, pagesOpenThroughTheBrowsersEntryAndNeverAsAnOption)
{
    auto output = root / "opened";
    // The browser writes the words it was given.
    writeFile(root / "browser", "#!/bin/sh\necho \"$@\" > '" + output.string() + "'\n", true);
    auto entry = dataHome / "applications/scriblo-test-browser.desktop";
    writeFile(entry, "[Desktop Entry]\nType=Application\nName=Browser\nExec=" + (root / "browser").string() + " %u\n");
    DesktopBrowserScripting browser(entry);
    EXPECT_THROW(browser.makeDocument("--renderer-cmd-prefix=touch " + (root / "owned").string()), std::runtime_error);
    browser.makeDocument("https://a.org/x y");
    EXPECT_EQ(awaitFile(output), "https://a.org/x y\n");
}

// What the desktop refuses to start comes back as a failure with its reason, never as a
// launch: an unknown target, an entry GLib will not load, a script without its execute bit.
TEST_F(DesktopLaunchTest, refusedLaunchesAreFailuresWithTheirReason)
{
    auto workspace = std::make_shared<DesktopWorkspace>();
    EXPECT_THROW(workspace->launchApplication("absent.desktop"), std::runtime_error);
    EXPECT_THROW(workspace->runProgram(root / "absent"), std::runtime_error);
    EXPECT_EQ(workspace->browserScripting("org.chromium.Chromium"), nullptr);
    writeDesktopEntry(dataHome, "scriblo-test-refused.desktop", "Refused", "TryExec=" + (root / "absent").string() + "\n");
    auto refused = Application("Refused", "", "scriblo-test-refused.desktop", workspace).launchHere();
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("unusable desktop entry"), std::string::npos) << refused.error();

    auto script = root / "not-executable.sh";
    writeFile(script, "#!/bin/sh\n", false);
    auto notRun = Script("Not executable", "", script, workspace).launchHere();
    ASSERT_FALSE(notRun);
    EXPECT_NE(notRun.error().find("Permission denied"), std::string::npos) << notRun.error();
}

namespace {

class FixedStartupNotifier final : public StartupNotifier {
public:
    std::optional<std::string> begin(const std::string& program, const std::string&, bool announce) override
    {
        announced.push_back(announce);
        return program + "-42_TIME1000";
    }
    void cancel(const std::string& startupId) override { cancelled.push_back(startupId); }
    std::vector<bool> announced;
    std::vector<std::string> cancelled;
};

}

TEST_F(DesktopLaunchTest, launchedApplicationsGetAStartupIdAndAFailedLaunchWithdrawsIt)
{
    auto output = root / "startup-id";
    auto program = root / "print-id";
    writeFile(program, "#!/bin/sh\necho \"$DESKTOP_STARTUP_ID\" > '" + output.string() + "'\n", true);
    writeFile(dataHome / "applications/scriblo-test-id.desktop",
        "[Desktop Entry]\nType=Application\nName=Id\nStartupNotify=true\nExec=" + program.string() + "\n");
    writeFile(dataHome / "applications/scriblo-test-broken.desktop",
        "[Desktop Entry]\nType=Application\nName=Broken\nPath=" + (root / "absent").string() + "\nExec=" + program.string() + "\n");
    DesktopWorkspace().launchApplication("scriblo-test-id.desktop");
    EXPECT_EQ(awaitFile(output), "\n") << "without a notifier, no startup id";
    std::filesystem::remove(output);

    auto notifier = std::make_shared<FixedStartupNotifier>();
    DesktopWorkspace workspace(notifier);
    workspace.launchApplication("scriblo-test-id.desktop");
    EXPECT_EQ(awaitFile(output), "print-id-42_TIME1000\n");
    EXPECT_THROW(workspace.launchApplication("scriblo-test-broken.desktop"), std::runtime_error);
    EXPECT_EQ(notifier->announced, (std::vector<bool> { true, false })) << "only entries that promise it are announced";
    EXPECT_EQ(notifier->cancelled, std::vector<std::string> { "print-id-42_TIME1000" });
}
