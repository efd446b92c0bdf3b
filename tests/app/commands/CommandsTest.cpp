#include "ScribloRun.h"
#include "launch/DesktopFixture.h"

#include <gmock/gmock.h>

using namespace scriblo;
using ::testing::HasSubstr;
using Outcome = scriblo::testing::ScribloRun;

namespace {

// Drives the real program on the fixture desktop, which it inherits through the
// environment.
class CommandsTest : public scriblo::testing::DesktopFixture {
protected:
    Outcome scriblo(const std::string& arguments) { return Outcome::of(root, arguments); }

    std::string store() const { return " --store '" + (root / "store.plist").string() + "'"; }
};

}

// GIO keeps the first data folders it sees for the life of a process, so the real
// default-handler lookup that puts the desktop's file manager first among the system
// targets is checked in a program started on the fixture. A bookmarks file that cannot
// be read is skipped, and said.
TEST_F(CommandsTest, targetsAreListedKindByKindInLookupOrderWithTheirNamesEscaped)
{
    setenv("SCRIBLO_BUILTIN_SCRIPTS", (root / "builtin").c_str(), 1);
    writeFile(dataHome / "Scriblo/Scripts/b.sh", "#!/bin/sh\n", true);
    writeDesktopEntry(systemData, "tool.desktop", "Tool", "Categories=Utility;\n");
    writeDesktopEntry(systemData, "app.desktop", "App");
    writeDesktopEntry(systemData, "alpha.desktop", "Alpha", "Categories=System;\n");
    writeDesktopEntry(systemData, "zfiles.desktop", "Zed Files", "Categories=Utility;FileManager;\nMimeType=inode/directory;\n");
    writeFile(configHome / "mimeapps.list", "[Default Applications]\ninode/directory=zfiles.desktop\n");
    writeDesktopEntry(systemData, "chromium.desktop", "Chromium");
    std::filesystem::create_directories(configHome / "chromium/Default");
    std::filesystem::create_symlink("/dev/zero", configHome / "chromium/Default/Bookmarks");
    auto listed = scriblo("targets list");
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "scripts\t" + (dataHome / "Scriblo/Scripts/b.sh").string() + "\tb\n"
                          "applications\tapp.desktop\tApp\n"
                          "applications\tchromium.desktop\tChromium\n"
                          "utilities\ttool.desktop\tTool\n"
                          "system\tzfiles.desktop\tZed Files\nsystem\talpha.desktop\tAlpha\n");
    EXPECT_EQ(listed.err, "scriblo: skipped bookmarks " + (configHome / "chromium/Default/Bookmarks").string() + ": is not a regular file\n");
    EXPECT_EQ(scriblo("targets list --kind utilities").out, "utilities\ttool.desktop\tTool\n");

    // File names may hold any byte but "/" and NUL; one name must not break the columns or
    // the one-record-per-line reading of the list.
    writeFile(dataHome / "Scriblo/Scripts/a\tb\\c\nd\re.sh", "#!/bin/sh\n", true);
    EXPECT_EQ(scriblo("targets list --kind scripts").out,
              "scripts\t" + (dataHome / "Scriblo/Scripts/").string() + "a\\tb\\\\c\\nd\\re.sh\ta\\tb\\\\c\\nd\\re\n"
                  + "scripts\t" + (dataHome / "Scriblo/Scripts/b.sh").string() + "\tb\n");
    unsetenv("SCRIBLO_BUILTIN_SCRIPTS");
}

TEST_F(CommandsTest, launchRunsTheTargetOrSaysWhatItWouldRun)
{
    auto output = root / "ran";
    auto script = dataHome / "Scriblo/Scripts/write it.sh";
    writeFile(script, "#!/bin/sh\necho ran > '" + output.string() + "'\n", true);
    writeDesktopEntry(systemData, "app.desktop", "App");

    auto dry = scriblo("targets launch app.desktop --dry-run");
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_THAT(dry.out, HasSubstr("app.desktop: /bin/true"));
    EXPECT_EQ(scriblo("targets launch '" + script.string() + "' --dry-run").out, "run program " + script.string() + "\n");
    EXPECT_FALSE(std::filesystem::exists(output));

    auto launched = scriblo("targets launch '" + script.string() + "'");
    EXPECT_EQ(launched.status, 0) << launched.err;
    EXPECT_EQ(awaitFile(output), "ran\n");

    auto missing = scriblo("targets launch nothing.desktop");
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("no launch target has the identity 'nothing.desktop'"));
}

// An installed program finds its built-in scripts beside its own bin folder, and still
// does once moved elsewhere (an AppImage is mounted at a new folder on every start).
// That a binding stored under the script's old path still launches it is the
// catalogue's to map (LaunchableCatalogueTest), whoever asks.
TEST_F(CommandsTest, builtInScriptLaunchesAfterTheProgramMoves)
{
    auto output = root / "ran";
    auto before = root / "mount-one/usr";
    std::filesystem::create_directories(before / "bin");
    std::filesystem::copy_file(SCRIBLO_BINARY_DIR "/scriblo", before / "bin/scriblo");
    writeFile(before / "share/scriblo/Scripts/Note It.sh", "#!/bin/sh\necho ran >> '" + output.string() + "'\n", true);
    auto installed = [&](const std::filesystem::path& prefix, const std::string& arguments) {
        auto command = "'" + (prefix / "bin/scriblo").string() + "' " + arguments + " >'" + (root / "out").string() + "' 2>&1";
        int status = std::system(command.c_str());
        return std::pair { WEXITSTATUS(status), readFile(root / "out") };
    };
    EXPECT_EQ(installed(before, "targets list --kind scripts").second, "scripts\tbuiltin:Note It.sh\tNote It\n");

    auto after = root / "mount-two/usr";
    std::filesystem::create_directories(after.parent_path());
    std::filesystem::rename(before, after);
    auto launched = installed(after, "targets launch 'builtin:Note It.sh'");
    EXPECT_EQ(launched.first, 0) << launched.second;
    EXPECT_EQ(awaitFile(output), "ran\n") << "the moved program finds its script beside it again";
}

TEST_F(CommandsTest, settingsShowDefaultsChangeOnlyWithinTheSetupWindowsLimitsAndNoteStrayValues)
{
    auto shown = scriblo("settings" + store());
    EXPECT_EQ(shown.status, 0) << shown.err;
    // That nothing is written is SharedStoreTest's to check, for every reading command.
    EXPECT_EQ(shown.err, "") << "a read fills in defaults without trying to write them";
    EXPECT_EQ(scriblo("settings get readingDelayTime" + store()).err, "");
    // The delay's default follows the machine: a mouse user needs time between strokes.
    bool touchpad = shown.out.find("multitouchOption\ttrue") != std::string::npos;
    EXPECT_THAT(shown.out, HasSubstr(std::string("minimumRecognitionScore\t80\nreadingDelayTime\t") + (touchpad ? "5" : "300") + "\n"));
    EXPECT_THAT(shown.out, HasSubstr("fullscreenOption\tfalse\nquickdrawOption\tfalse\nloginStartOption\tfalse\nexplainMissesOption\tfalse\n"));

    // The setup window's field reads "70%" as 70, and so does the command.
    EXPECT_EQ(scriblo("settings set minimumRecognitionScore 70%" + store()).status, 0);
    EXPECT_EQ(scriblo("settings set quickdrawOption true" + store()).status, 0);
    auto before = readFile(root / "store.plist");
    for (const char* rejected : { "minimumRecognitionScore 101", "minimumRecognitionScore 69", "readingDelayTime 0",
             "readingDelayTime 1001", "readingDelayTime ms", "quickdrawOption 1", "fullscreenOption yes" }) {
        auto outcome = scriblo(std::string("settings set ") + rejected + store());
        EXPECT_EQ(outcome.status, 1) << rejected;
        EXPECT_THAT(outcome.err, ::testing::AnyOf(HasSubstr("from 70 to 100"), HasSubstr("from 1 to 1000"), HasSubstr("true or false"))) << rejected;
    }
    EXPECT_EQ(readFile(root / "store.plist"), before);
    EXPECT_EQ(scriblo("settings get minimumRecognitionScore" + store()).out, "70\n");
    EXPECT_EQ(scriblo("settings get quickdrawOption" + store()).out, "true\n");

    // A value out of range is shown as the one in use, with a note of what is stored. The
    // stored value stays: SettingsTest keeps it, and a read never writes.
    writeFile(root / "store.plist", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
        "<key>minimumRecognitionScore</key><integer>-1</integer><key>readingDelayTime</key><integer>300</integer>"
        "</dict></plist>\n");
    auto stray = scriblo("settings" + store());
    EXPECT_THAT(stray.out, HasSubstr("minimumRecognitionScore\t70\nreadingDelayTime\t300\n"));
    EXPECT_THAT(stray.err, HasSubstr("minimumRecognitionScore is stored as -1"));
    EXPECT_THAT(stray.err, ::testing::Not(HasSubstr("readingDelayTime")));
    auto one = scriblo("settings get minimumRecognitionScore" + store());
    EXPECT_EQ(one.out, "70\n");
    EXPECT_THAT(one.err, HasSubstr("stored as -1"));
}

TEST_F(CommandsTest, loginStartWritesAnAutostartEntryForThisProgram)
{
    EXPECT_EQ(scriblo("settings set loginStartOption true" + store()).status, 0);
    EXPECT_THAT(readFile(configHome / "autostart/org.scriblo.Scriblo.desktop"), HasSubstr("Exec=\"" + std::filesystem::canonical(SCRIBLO_BINARY_DIR "/scriblo").string() + "\""));
    EXPECT_EQ(scriblo("settings get loginStartOption" + store()).out, "true\n");
    EXPECT_EQ(scriblo("settings set loginStartOption false" + store()).status, 0);
    EXPECT_FALSE(std::filesystem::exists(configHome / "autostart/org.scriblo.Scriblo.desktop"));

    // Run from an AppImage, the entry must start the AppImage file, not the program in
    // its mount, which is gone by the next login.
    auto appImage = root / "Scriblo.AppImage";
    writeFile(appImage, "#!/bin/sh\n", true);
    setenv("APPIMAGE", appImage.c_str(), 1);
    EXPECT_EQ(scriblo("settings set loginStartOption true" + store()).status, 0);
    unsetenv("APPIMAGE");
    EXPECT_THAT(readFile(configHome / "autostart/org.scriblo.Scriblo.desktop"), HasSubstr("Exec=\"" + appImage.string() + "\""));

    std::filesystem::remove_all(configHome / "autostart");
    writeFile(configHome / "autostart", "a file where the folder should be");
    auto failed = scriblo("settings set loginStartOption true" + store());
    EXPECT_EQ(failed.status, 1);
    EXPECT_THAT(failed.err, HasSubstr("start at login is still false"));
}

// A gesture bound to a target that is not there yet (a script still to be written, a
// disk not mounted) is imported all the same; the user hears which launch nothing now.
TEST_F(CommandsTest, importWarnsOnceForEachIdentityThatMatchesNoTargetAndImportsIt)
{
    writeDesktopEntry(systemData, "app.desktop", "App");
    writeFile(root / "g.json", scriblo::testing::gesturesJson({ "app.desktop", "absent.desktop", "/elsewhere/Tool" }));

    auto imported = scriblo("gestures import '" + (root / "g.json").string() + "'" + store());
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.err, "scriblo: warning: 'absent.desktop' matches no current target (see scriblo targets list); imported all the same\n"
                            "scriblo: warning: '/elsewhere/Tool' matches no current target (see scriblo targets list); imported all the same\n");
    auto listed = scriblo("gestures list" + store());
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 3) << listed.out;
}
