#include "install/ChildProcess.h"
#include "install/LinuxMoveServices.h"
#include "launch/DesktopFixture.h"

#include <gmock/gmock.h>

using namespace scriblo;

using LinuxMoveServicesTest = scriblo::testing::DesktopFixture;

// What runs behind the password prompt, without the prompt: the paths reach it as
// arguments, so a quote or a space cannot change what is removed or copied.
TEST_F(LinuxMoveServicesTest, authorizedCopyReplacesTheDestinationWithPathsIntact)
{
    auto source = root / "Down loads/it's \"mine\" $HOME.AppImage";
    auto destination = root / "opt/App's folder/it's \"mine\" $HOME.AppImage";
    writeFile(source, "new version", true);
    writeFile(destination, "old version");
    writeFile(root / "opt/App's folder/neighbour.AppImage", "untouched");

    auto command = LinuxMoveServices::authorizedCopyCommand(source, destination);
    ASSERT_EQ(command.front(), "/usr/bin/pkexec");
    command.erase(command.begin());
    EXPECT_EQ(ChildProcess::runAndWait(command), 0);
    EXPECT_EQ(readFile(destination), "new version");
    EXPECT_EQ(std::filesystem::status(destination).permissions(), std::filesystem::status(source).permissions());
    EXPECT_EQ(readFile(root / "opt/App's folder/neighbour.AppImage"), "untouched");

    auto intoMissingFolder = root / "new/Applications/x.AppImage";
    command = LinuxMoveServices::authorizedCopyCommand(source, intoMissingFolder);
    command.erase(command.begin());
    EXPECT_EQ(ChildProcess::runAndWait(command), 0) << "a missing Applications folder is made";
    EXPECT_EQ(readFile(intoMissingFolder), "new version");
}
