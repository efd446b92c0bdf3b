#include "DesktopFixture.h"

#include <gmock/gmock.h>
#include <sys/wait.h>

using ::testing::HasSubstr;
using ::testing::IsEmpty;
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

TEST_F(LogOutScriptTest, withoutASessionManagerItSaysSoAndEndsNothing)
{
    standIn("dbus-send", 1);
    Outcome outcome = logOut();
    EXPECT_NE(outcome.status, 0);
    EXPECT_THAT(outcome.err, HasSubstr("no session manager answered"));
    EXPECT_THAT(outcome.calls, Not(HasSubstr("loginctl")));
    EXPECT_THAT(outcome.calls, HasSubstr("org.kde.KSMServerInterface.logout")) << "every manager is asked first";

    standIn("xfce4-session-logout", 1);
    outcome = logOut();
    EXPECT_NE(outcome.status, 0);
    EXPECT_THAT(outcome.calls, HasSubstr("xfce4-session-logout --logout"));
    EXPECT_THAT(outcome.calls, Not(HasSubstr("loginctl")));
}

TEST_F(LogOutScriptTest, theFirstSessionManagerThatAnswersLogsOut)
{
    standIn("dbus-send", 0);
    Outcome gnome = logOut();
    EXPECT_EQ(gnome.status, 0);
    EXPECT_THAT(gnome.err, IsEmpty());
    EXPECT_THAT(gnome.calls, HasSubstr("org.gnome.SessionManager.Logout"));
    EXPECT_THAT(gnome.calls, Not(HasSubstr("KSMServer")));

    std::filesystem::remove(root / "calls");
    standIn("dbus-send", 1);
    standIn("xfce4-session-logout", 0);
    Outcome xfce = logOut();
    EXPECT_EQ(xfce.status, 0);
    EXPECT_THAT(xfce.calls, HasSubstr("xfce4-session-logout --logout"));
    EXPECT_THAT(xfce.calls, Not(HasSubstr("loginctl")));
}
