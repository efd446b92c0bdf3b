// The whole move through the real program, with a small script standing in for the
// AppImage and only the user's answer supplied by the test.
#include "app/commands/ScribloRun.h"
#include "launch/DesktopFixture.h"

#include <chrono>
#include <gmock/gmock.h>
#include <thread>

using ::testing::HasSubstr;

namespace {

using namespace std::chrono_literals;

class MoveCommandTest : public scriblo::testing::DesktopFixture {
protected:
    // Starts `scriblo install move-check` as if the stand-in AppImage had started it.
    pid_t startCheck(const std::filesystem::path& appImage, const std::string& answer)
    {
        setenv("APPIMAGE", appImage.c_str(), 1);
        setenv("APPDIR", (root / "mount").c_str(), 1);
        pid_t check = scriblo::testing::ScribloRun::start(root, "install move-check --store '" + (root / "store.plist").string()
                                                                    + "' --answer " + answer);
        unsetenv("APPIMAGE");
        unsetenv("APPDIR");
        return check;
    }
    std::string said() const { return readFile(root / "run.out"); }
};

}

TEST_F(MoveCommandTest, acceptedMoveLandsInApplicationsAndRelaunchesOnceAfterTheProcessEnds)
{
    auto record = root / "record";
    // A quote and a space in the name: the paths must reach every step intact.
    auto source = home / "Downloads/Scriblo it's.AppImage";
    writeFile(source, "#!/bin/sh\nprintf 'started APPIMAGE=%s arguments=%s\\n' \"${APPIMAGE:-}\" \"$*\" >> '" + record.string() + "'\n", true);
    writeFile(home / "Applications/Other.AppImage", "another program", true);
    writeFile(root / "mount/org.scriblo.Scriblo.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"/>");

    pid_t check = startCheck(source, "move");
    siginfo_t ended {};
    ASSERT_EQ(waitid(P_PID, check, &ended, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(ended.si_status, 0);
    // Until its parent collects it, the ended process still counts as there.
    std::this_thread::sleep_for(400ms);
    EXPECT_FALSE(std::filesystem::exists(record)) << "relaunched before the first process had ended";
    int status = 0;
    waitpid(check, &status, 0);

    ASSERT_TRUE(awaitFile(record)) << said();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(readFile(record), "started APPIMAGE= arguments=\n") << "once, without the old copy's AppImage variables";
    auto destination = home / "Applications/Scriblo it's.AppImage";
    EXPECT_TRUE(std::filesystem::exists(destination));
    EXPECT_THAT(readFile(home / ".local/share/applications/org.scriblo.Scriblo.desktop"), HasSubstr("Exec=\"" + destination.string() + "\""));
    EXPECT_TRUE(std::filesystem::exists(home / ".local/share/icons/hicolor/scalable/apps/org.scriblo.Scriblo.svg"));
    EXPECT_EQ(said(), "offer: Move to Applications folder in your Home folder?\nquit\n");
}

TEST_F(MoveCommandTest, declineForGoodIsStoredAndTheNextStartAsksNothing)
{
    auto source = home / "Downloads/Scriblo.AppImage";
    writeFile(source, "#!/bin/sh\n", true);
    int status = 0;
    waitpid(startCheck(source, "stay-for-good"), &status, 0);
    EXPECT_EQ(said(), "offer: Move to Applications folder?\ncontinue\n");
    waitpid(startCheck(source, "move"), &status, 0);
    EXPECT_EQ(said(), "continue\n");
    EXPECT_TRUE(std::filesystem::exists(source));
}
