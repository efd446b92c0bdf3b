#include "DesktopFixture.h"

#include <gmock/gmock.h>
#include <sys/wait.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

struct Outcome {
    int status;
    std::string err;
    // One line per stand-in command that ran: its name and arguments.
    std::string calls;
};

// The built-in Log Out script against a desktop made of stand-in commands: each records
// its call and answers as the test says, and nothing else is on the PATH.
class LogOutScriptTest : public scriblo::testing::DesktopFixture {
protected:
    void standIn(const std::string& name, int exitCode)
    {
        writeFile(root / "bin" / name,
                  "#!/bin/sh\necho \"" + name + " $*\" >> '" + (root / "calls").string() + "'\nexit "
                      + std::to_string(exitCode) + "\n",
                  true);
    }

    Outcome logOut()
    {
        std::string command = "/usr/bin/env -i PATH='" + (root / "bin").string() + "' /bin/sh '" SCRIBLO_SOURCE_DIR
                              "/data/scripts/Log Out.sh' 2>'" + (root / "err").string() + "'";
        int status = std::system(command.c_str());
        return { WEXITSTATUS(status), readFile(root / "err"), readFile(root / "calls") };
    }

    void SetUp() override
    {
        DesktopFixture::SetUp();
        // Ending the session outright would stop every program without asking.
        standIn("loginctl", 0);
    }
};

}

// Every session manager is asked in turn; without one the script says so and ends nothing.
TEST_F(LogOutScriptTest, theFirstSessionManagerThatAnswersLogsOutAndWithoutOneNothingEnds)
{
    struct Case {
        int busAnswer;
        std::optional<int> xfceAnswer;
        const char* called;
        const char* notCalled;
    };
    // A stand-in stays for the cases after the one that brings it.
    const Case cases[] = {
        { 1, std::nullopt, "org.kde.KSMServerInterface.logout", "loginctl" },
        { 1, 1, "xfce4-session-logout --logout", "loginctl" },
        { 0, std::nullopt, "org.gnome.SessionManager.Logout", "KSMServer" },
        { 1, 0, "xfce4-session-logout --logout", "loginctl" },
    };
    for (const auto& [busAnswer, xfceAnswer, called, notCalled] : cases) {
        std::filesystem::remove(root / "calls");
        standIn("dbus-send", busAnswer);
        if (xfceAnswer)
            standIn("xfce4-session-logout", *xfceAnswer);
        Outcome outcome = logOut();
        bool answered = busAnswer == 0 || xfceAnswer == 0;
        EXPECT_EQ(outcome.status == 0, answered) << called;
        EXPECT_EQ(outcome.err.empty(), answered) << outcome.err;
        if (!answered) {
            EXPECT_THAT(outcome.err, HasSubstr("no session manager answered"));
        }
        EXPECT_THAT(outcome.calls, HasSubstr(called));
        EXPECT_THAT(outcome.calls, Not(HasSubstr(notCalled))) << called;
    }
}
