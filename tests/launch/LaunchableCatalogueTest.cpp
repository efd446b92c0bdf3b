#include "DesktopFixture.h"
#include "FakeWorkspace.h"
#include "launch/LaunchableCatalogue.h"

#include <atomic>
#include <gmock/gmock.h>
#include <thread>

using namespace scriblo;
using scriblo::testing::FakeWorkspace;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> listed(const LaunchableListHandle& list, const std::string& (Launchable::*field)() const)
{
    std::vector<std::string> result;
    for (const auto& target : *list)
        result.push_back(((*target).*field)());
    return result;
}

std::vector<std::string> names(const LaunchableListHandle& list) { return listed(list, &Launchable::displayName); }
std::vector<std::string> identities(const LaunchableListHandle& list) { return listed(list, &Launchable::launchId); }

class LaunchableCatalogueTest : public scriblo::testing::DesktopFixture {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        builtIn = root / "builtin";
        std::filesystem::create_directories(builtIn);
        catalogue = std::make_unique<LaunchableCatalogue>(workspace, builtIn);
    }

    void writeApplications()
    {
        writeDesktopEntry(dataHome, "zebra.desktop", "zebra", "Icon=zebra-icon\n");
        writeDesktopEntry(systemData, "apple.desktop", "Apple");
        writeDesktopEntry(systemData, "banana.desktop", "banana");
        writeDesktopEntry(systemData, "ten.desktop", "10 Apps");
        writeDesktopEntry(systemData, "nine.desktop", "9 Apps");
        writeDesktopEntry(systemData, "editor.desktop", "System Editor");
        writeDesktopEntry(dataHome, "editor.desktop", "My Editor");
        writeDesktopEntry(systemData, "gone.desktop", "Gone");
        writeDesktopEntry(dataHome, "gone.desktop", "Gone", "Hidden=true\n");
        writeDesktopEntry(systemData, "quiet.desktop", "Quiet", "NoDisplay=true\n");
        writeDesktopEntry(systemData, "kdeonly.desktop", "KDE Only", "OnlyShowIn=KDE;\n");
        writeDesktopEntry(systemData, "ours.desktop", "Ours Only", "OnlyShowIn=Scriblo;\n");
        writeDesktopEntry(systemData, "notours.desktop", "Not Ours", "NotShowIn=Scriblo;\n");
        writeDesktopEntry(systemData, "missing.desktop", "Missing Program", "TryExec=/nonexistent/program\n");
        writeDesktopEntry(systemData, "kde/konsole.desktop", "Konsole", "Categories=Qt;KDE;System;TerminalEmulator;\n");
        writeDesktopEntry(systemData, "calc.desktop", "Calculator", "Categories=GNOME;Utility;\n");
        writeDesktopEntry(systemData, "monitor.desktop", "Alpha Monitor", "Categories=System;Utility;\n");
        writeDesktopEntry(systemData, "control.desktop", "Control", "Categories=Settings;\n");
        // As GNOME ships it: a file manager filed under Utility only.
        writeDesktopEntry(systemData, "org.gnome.Nautilus.desktop", "Files", "Categories=GNOME;GTK;Utility;Core;FileManager;\n");
        writeDesktopEntry(systemData, LaunchableCatalogue::ownDesktopId, "Scriblo");
        writeDesktopEntry(systemData, LaunchableCatalogue::siblingDesktopId, "Scriblo Helper");
    }

    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    std::filesystem::path builtIn;
    std::unique_ptr<LaunchableCatalogue> catalogue;
};

}

TEST_F(LaunchableCatalogueTest, applicationsFollowMenuRulesOverridesAndCategoriesAndTheDefaultFileManagerLeads)
{
    writeApplications();
    writeFile(builtIn / "Zed.sh", "#!/bin/sh\n", true);
    EXPECT_EQ(catalogue->findLaunchableWithId("calc.desktop"), nullptr) << "nothing is found before a fetch";
    catalogue->fetchAll();
    auto normal = catalogue->list("applications");
    EXPECT_THAT(names(normal), ElementsAre("10 Apps", "9 Apps", "Apple", "My Editor", "Ours Only", "banana", "zebra"));
    EXPECT_EQ(normal->front()->icon(), "application-x-executable") << "an entry without an icon gets the generic one";
    EXPECT_EQ(normal->back()->icon(), "zebra-icon");
    EXPECT_THAT(names(catalogue->list("utilities")), ElementsAre("Calculator", "Files"));
    EXPECT_THAT(identities(catalogue->list("system")), ElementsAre("monitor.desktop", "control.desktop", "kde-konsole.desktop"));
    EXPECT_EQ(catalogue->findLaunchableWithId("calc.desktop")->displayName(), "Calculator");
    EXPECT_EQ(catalogue->findLaunchableWithId("control.desktop")->displayName(), "Control");
    EXPECT_EQ(catalogue->findLaunchableWithId("builtin:Zed.sh")->displayName(), "Zed");
    EXPECT_EQ(catalogue->findLaunchableWithId("CALC.desktop"), nullptr);
    EXPECT_EQ(catalogue->findLaunchableWithId("gone.desktop"), nullptr);

    workspace->fileManager = "ORG.GNOME.Nautilus.desktop";
    EXPECT_THAT(names(catalogue->fetch("system")), ElementsAre("Files", "Alpha Monitor", "Control", "Konsole"));
    EXPECT_THAT(names(catalogue->fetch("utilities")), ElementsAre("Calculator"));
}

TEST_F(LaunchableCatalogueTest, scriptsAreExecutableFilesDirectlyInBothFoldersTheMissingOneIsMadeAndAFailureKeepsBuiltIns)
{
    auto user = dataHome / "Scriblo/Scripts";
    writeFile(builtIn / "Zed.sh", "#!/bin/sh\n", true);
    catalogue->fetch("scripts");
    EXPECT_TRUE(std::filesystem::is_directory(user));
    writeFile(user / "alpha.sh", "#!/bin/sh\n", true);
    writeFile(user / "Beta.tar.py", "#!/bin/sh\n", true);
    writeFile(user / "10 x.sh", "#!/bin/sh\n", true);
    writeFile(user / "9 x", "#!/bin/sh\n", true);
    writeFile(user / ".hidden.sh", "#!/bin/sh\n", true);
    writeFile(user / "sub/inner.sh", "#!/bin/sh\n", true);
    writeFile(user / "notes.txt", "plain\n", false);
    std::filesystem::create_directories(user / "folder.sh");
    EXPECT_THAT(names(catalogue->fetch("scripts")), ElementsAre("10 x", "9 x", "Beta.tar", "Zed", "alpha"));
    EXPECT_EQ(catalogue->findLaunchableWithId((user / "alpha.sh").string())->displayName(), "alpha");
    EXPECT_EQ(catalogue->userScriptsProblem(), std::nullopt);

    std::filesystem::remove_all(dataHome / "Scriblo");
    writeFile(dataHome / "Scriblo", "a file where the folder should be");
    EXPECT_THAT(names(catalogue->fetch("scripts")), ElementsAre("Zed"));
    ASSERT_TRUE(catalogue->userScriptsProblem());
    EXPECT_NE(catalogue->userScriptsProblem()->find("Scriblo/Scripts"), std::string::npos);
}

// An AppImage is mounted at a new folder on every start, and a package may be moved or
// reinstalled elsewhere: a gesture bound to a built-in script must still launch it, under
// the identity stored now and under the path that earlier builds stored.
TEST_F(LaunchableCatalogueTest, builtInScriptsKeepTheirIdentityWhenTheProgramMoves)
{
    auto oldPlace = root / "tmp/.mount_ScribA/usr/share/scriblo/Scripts";
    writeFile(oldPlace / "Lock Screen.sh", "#!/bin/sh\n", true);
    LaunchableCatalogue before(workspace, oldPlace);
    before.fetch("scripts");
    EXPECT_THAT(identities(before.list("scripts")), ElementsAre("builtin:Lock Screen.sh"));

    auto newPlace = root / "tmp/.mount_ScribB/usr/share/scriblo/Scripts";
    std::filesystem::create_directories(newPlace.parent_path());
    std::filesystem::rename(oldPlace, newPlace);
    LaunchableCatalogue after(workspace, newPlace);
    after.fetch("scripts");
    for (const auto& stored : { std::string("builtin:Lock Screen.sh"), (oldPlace / "Lock Screen.sh").string(),
             std::string("/home/dev/scriblo/data/scripts/Lock Screen.sh") }) {
        auto target = after.findLaunchableWithId(stored);
        ASSERT_TRUE(target) << stored;
        EXPECT_TRUE(target->launchHere());
    }
    EXPECT_THAT(workspace->launches(), ::testing::Each("program " + (newPlace / "Lock Screen.sh").string()));

    writeFile(dataHome / "Scriblo/Scripts/Lock Screen.sh", "#!/bin/sh\n", true);
    after.fetch("scripts");
    EXPECT_EQ(after.findLaunchableWithId((dataHome / "Scriblo/Scripts/Lock Screen.sh").string())->launchId(),
        (dataHome / "Scriblo/Scripts/Lock Screen.sh").string())
        << "a user's script of the same name stays the user's own";
}

TEST_F(LaunchableCatalogueTest, webPagesComeOnlyFromInstalledBrowsers)
{
    auto chromeBar = [](const std::string& name) {
        return R"({"roots": {"bookmark_bar": {"children": [{"type": "url", "name": ")" + name + R"(", "url": "https://)" + name + R"(.org/"}]}}})";
    };
    writeFile(configHome / "google-chrome/Default/Bookmarks", chromeBar("chrome"));
    writeFile(configHome / "chromium/Default/Bookmarks", chromeBar("chromium"));
    EXPECT_THAT(*catalogue->fetch("webpages"), IsEmpty()) << "no browser is installed";
    writeDesktopEntry(systemData, "google-chrome.desktop", "Google Chrome", "Icon=google-chrome\n");
    EXPECT_THAT(identities(catalogue->fetch("webpages")), ElementsAre("com.google.Chrome:https://chrome.org/"));
    EXPECT_EQ(catalogue->list("webpages")->front()->icon(), "google-chrome");

    writeDesktopEntry(systemData, "chromium.desktop", "Chromium");
    writeFile(configHome / "google-chrome/Default/Bookmarks", "{ broken");
    EXPECT_THAT(identities(catalogue->fetch("webpages")), ElementsAre("org.chromium.Chromium:https://chromium.org/"));
}

TEST_F(LaunchableCatalogueTest, lookupsDuringRefetchesAlwaysSeeAWholeList)
{
    writeApplications();
    catalogue->fetchAll();
    std::atomic<bool> done { false };
    std::atomic<int> misses { 0 };
    std::thread reader([&] {
        while (!done) {
            if (!catalogue->findLaunchableWithId("zebra.desktop"))
                ++misses;
        }
    });
    for (int round = 0; round < 20; ++round)
        catalogue->fetch("applications");
    done = true;
    reader.join();
    EXPECT_EQ(misses, 0);
}

// A lookup also misses while a disk is unmounted or a bookmarks file is being rewritten;
// only a list rebuilt without the identity may cost the user a gesture.
TEST_F(LaunchableCatalogueTest, aTargetIsGoneOnlyWhenItsRebuiltListLacksIt)
{
    writeFile(builtIn / "Present", "#!/bin/sh\n", true);
    EXPECT_EQ(catalogue->absence((builtIn / "Present").string()), TargetAbsence::OutOfReach) << "a list not yet refreshed";
    EXPECT_EQ(catalogue->absence((builtIn / "Removed").string()), TargetAbsence::Gone);
    EXPECT_EQ(catalogue->absence((root / "unmounted/Scripts/Backup").string()), TargetAbsence::OutOfReach);

    writeDesktopEntry(systemData, "quiet.desktop", "Quiet", "NoDisplay=true\n");
    EXPECT_EQ(catalogue->absence("quiet.desktop"), TargetAbsence::OutOfReach) << "a hidden entry may show again";
    EXPECT_EQ(catalogue->absence("uninstalled.desktop"), TargetAbsence::Gone);

    std::string page = "com.google.Chrome:https://kept.example/";
    auto bookmarks = configHome / "google-chrome/Default/Bookmarks";
    writeFile(bookmarks, R"({"roots": {"bookmark_bar": {"children": [{"type": "url", "name": "Other", "url": "https://other.example/"}]}}})");
    EXPECT_EQ(catalogue->absence(page), TargetAbsence::NoBrowser) << "a browser's leftover file is not its bar";
    writeDesktopEntry(systemData, "google-chrome.desktop", "Google Chrome");
    writeFile(bookmarks, "{\"roots\": {\"bookmark_bar\": {\"children\": [");
    EXPECT_EQ(catalogue->absence(page), TargetAbsence::OutOfReach) << "a file caught mid-write proves nothing";
    writeFile(bookmarks, R"({"roots": {"bookmark_bar": {"children": [{"type": "url", "name": "Other", "url": "https://other.example/"}]}}})");
    EXPECT_EQ(catalogue->absence(page), TargetAbsence::Gone);
    EXPECT_EQ(catalogue->absence("com.example.Unknown:https://kept.example/"), TargetAbsence::OutOfReach);

    // A script that only lost its execute bit is the user's to mend, and an identity that
    // no list of ours could ever hold (a path imported from elsewhere, a macOS bundle
    // identifier) cannot be judged: neither may cost the user a gesture.
    auto user = dataHome / "Scriblo/Scripts";
    writeFile(user / "Backup", "#!/bin/sh\n", false);
    EXPECT_EQ(catalogue->absence((user / "Backup").string()), TargetAbsence::CannotRun);
    std::filesystem::create_symlink(root / "unmounted/Backup", user / "Linked");
    EXPECT_EQ(catalogue->absence((user / "Linked").string()), TargetAbsence::OutOfReach) << "a link to a disk that comes back";

    std::filesystem::create_directories(root / "elsewhere");
    for (const auto& identity : { (root / "elsewhere/Imported").string(), std::string("com.apple.Safari"), std::string("builtin:Gone.sh") })
        EXPECT_EQ(catalogue->absence(identity), TargetAbsence::OutOfReach) << identity;
}
