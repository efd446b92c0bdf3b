// The whole move through the real program, with a small script standing in for the
// AppImage and only the user's answer supplied by the test.
#include "launch/DesktopFixture.h"

#include <chrono>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using ::testing::HasSubstr;

namespace {

using namespace std::chrono_literals;

class MoveCommandTest : public scriblo::testing::DesktopFixture {
protected:
    // Starts `scriblo install move-check` as if the stand-in AppImage had started it.
    pid_t startCheck(const std::filesystem::path& appImage, const std::string& answer)
    {
        std::vector<std::string> variables;
        for (char** variable = environ; *variable; ++variable) {
            std::string text(*variable);
            if (!text.starts_with("APP"))
                variables.push_back(text);
        }
        variables.push_back("APPIMAGE=" + appImage.string());
        variables.push_back("APPDIR=" + (root / "mount").string());
        std::vector<std::string> arguments { SCRIBLO_BINARY_DIR "/scriblo", "install", "move-check", "--store", (root / "store.plist").string(), "--answer", answer };
        std::vector<char*> argv, envp;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        for (auto& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, (root / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t child = 0;
        EXPECT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        return child;
    }
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

    ASSERT_TRUE(awaitFile(record)) << readFile(root / "out");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(readFile(record), "started APPIMAGE= arguments=\n") << "once, without the old copy's AppImage variables";
    auto destination = home / "Applications/Scriblo it's.AppImage";
    EXPECT_TRUE(std::filesystem::exists(destination));
    EXPECT_FALSE(std::filesystem::exists(source));
    EXPECT_THAT(readFile(home / ".local/share/applications/org.scriblo.Scriblo.desktop"), HasSubstr("Exec=\"" + destination.string() + "\""));
    EXPECT_TRUE(std::filesystem::exists(home / ".local/share/icons/hicolor/scalable/apps/org.scriblo.Scriblo.svg"));
    EXPECT_EQ(readFile(root / "out"), "offer: Move to Applications folder in your Home folder?\nquit\n");
}

TEST_F(MoveCommandTest, declineForGoodIsStoredAndTheNextStartAsksNothing)
{
    auto source = home / "Downloads/Scriblo.AppImage";
    writeFile(source, "#!/bin/sh\n", true);
    int status = 0;
    waitpid(startCheck(source, "stay-for-good"), &status, 0);
    EXPECT_EQ(readFile(root / "out"), "offer: Move to Applications folder?\ncontinue\n");
    waitpid(startCheck(source, "move"), &status, 0);
    EXPECT_EQ(readFile(root / "out"), "continue\n");
    EXPECT_TRUE(std::filesystem::exists(source));
}
