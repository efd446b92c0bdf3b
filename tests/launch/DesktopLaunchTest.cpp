#include "DesktopFixture.h"
#include "launch/DesktopBrowserScripting.h"
#include "launch/DesktopWorkspace.h"
#include "launch/LaunchableCatalogue.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

using namespace scriblo;

namespace {

// Real programs end on their own schedule; a file they write is awaited, within reason.
std::optional<std::string> awaitFile(const std::filesystem::path& file)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream stream(file);
        std::stringstream text;
        text << stream.rdbuf();
        if (text.str().find('\n') != std::string::npos)
            return text.str();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

class DesktopLaunchTest : public scriblo::testing::DesktopFixture { };

}

TEST_F(DesktopLaunchTest, scriptRunsIntactInTheHomeFolderWithNoArguments)
{
    auto output = root / "out";
    auto script = dataHome / "Scriblo/Scripts/it's a \"test\"; rm -rf x.sh";
    writeFile(script, "#!/bin/sh\necho \"$(pwd) $#\" > '" + output.string() + "'\n", true);
    LaunchableCatalogue catalogue(std::make_shared<DesktopWorkspace>(), root / "none");
    catalogue.fetchScriptArray();
    auto target = catalogue.findLaunchableWithId(script.string());
    ASSERT_TRUE(target);
    target->launchWithNewThread(true);
    EXPECT_EQ(awaitFile(output), home.string() + " 0\n");
}

TEST_F(DesktopLaunchTest, applicationLaunchesThroughItsDesktopEntry)
{
    auto output = root / "launched";
    auto program = root / "writer";
    writeFile(program, "#!/bin/sh\necho \"$@\" > '" + output.string() + "'\n", true);
    writeDesktopEntry(dataHome, "scriblo-test-writer.desktop", "Writer", "");
    writeFile(dataHome / "applications/scriblo-test-writer.desktop",
        "[Desktop Entry]\nType=Application\nName=Writer\nExec=" + program.string() + " started\n");
    DesktopWorkspace().launchApplication("scriblo-test-writer.desktop");
    EXPECT_EQ(awaitFile(output), "started\n");
}

TEST_F(DesktopLaunchTest, pagesOpenThroughTheBrowsersEntryAndNeverAsAnOption)
{
    auto output = root / "opened";
    auto program = root / "browser";
    writeFile(program, "#!/bin/sh\necho \"$@\" > '" + output.string() + "'\n", true);
    auto entry = dataHome / "applications/scriblo-test-browser.desktop";
    writeFile(entry, "[Desktop Entry]\nType=Application\nName=Browser\nExec=" + program.string() + " %u\n");
    DesktopBrowserScripting browser(entry);
    EXPECT_THROW(browser.makeDocument("--renderer-cmd-prefix=touch " + (root / "owned").string()), std::runtime_error);
    browser.makeDocument("https://a.org/x y");
    EXPECT_EQ(awaitFile(output), "https://a.org/x y\n");
}

TEST_F(DesktopLaunchTest, unknownTargetsFailLoudlyToTheCallerOnly)
{
    DesktopWorkspace workspace;
    EXPECT_THROW(workspace.launchApplication("absent.desktop"), std::runtime_error);
    EXPECT_THROW(workspace.runProgram(root / "absent"), std::runtime_error);
    EXPECT_EQ(workspace.browserScripting("org.chromium.Chromium"), nullptr);
}
