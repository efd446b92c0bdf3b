#include "FakeMoveServices.h"
#include "core/MemoryUserDefaults.h"
#include "install/MoveToApplicationsFolder.h"
#include "launch/DesktopFixture.h"

#include <gmock/gmock.h>

using namespace scriblo;
using scriblo::testing::FakeMoveAlert;
using scriblo::testing::FakeMoveServices;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class MoveToApplicationsFolderTest : public scriblo::testing::DesktopFixture {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        unsetenv("APPDIR");
        folders.source = home / "Downloads/Scriblo.AppImage";
        folders.userApplications = home / "Applications";
        folders.localApplications = root / "opt/Applications";
        folders.downloads = { home / "Downloads" };
        writeFile(*folders.source, "new version");
        std::filesystem::create_directories(folders.localApplications);
    }

    MoveOutcome check()
    {
        return MoveToApplicationsFolder(defaults, services, alert, folders).check();
    }

    void giveUserAnAppImage() { writeFile(folders.userApplications / "Other.AppImage", "other"); }
    std::filesystem::path userDestination() const { return folders.userApplications / "Scriblo.AppImage"; }

    InstallFolders folders;
    scriblo::testing::MemoryUserDefaults defaults;
    FakeMoveServices services;
    FakeMoveAlert alert;
};

}

TEST_F(MoveToApplicationsFolderTest, noOfferWhenSuppressedNotAnAppImageOrAlreadyUnderAnApplicationsFolder)
{
    auto deep = root / "data/Applications/old/Scriblo.AppImage";
    writeFile(deep, "x");
    folders.source = deep;
    EXPECT_EQ(check(), MoveOutcome::Continue);
    folders.source = folders.userApplications / "Scriblo.AppImage";
    EXPECT_EQ(check(), MoveOutcome::Continue);
    folders.source = std::nullopt;
    EXPECT_EQ(check(), MoveOutcome::Continue);
    folders.source = home / "Downloads/Scriblo.AppImage";
    defaults.setBool(true, MoveToApplicationsFolder::suppressKey);
    EXPECT_EQ(check(), MoveOutcome::Continue);
    EXPECT_THAT(alert.shown, IsEmpty());
    EXPECT_THAT(services.calls, IsEmpty());
}

TEST_F(MoveToApplicationsFolderTest, userFolderIsChosenOnlyWhenItHoldsAnAppImageAndOnlyTheCheckBoxStopsTheOffer)
{
    alert.answer = { false, false };
    writeFile(folders.userApplications / "notes.txt", "not a program");
    check();
    giveUserAnAppImage();
    check();
    EXPECT_THAT(alert.shown, ElementsAre(
        "Move to Applications folder? | I can move myself to the Applications folder if you'd like. | This will keep your Downloads folder uncluttered.",
        "Move to Applications folder in your Home folder? | I can move myself to the Applications folder if you'd like. | This will keep your Downloads folder uncluttered."));

    // Declining keeps the program, and only the check box stops the offer.
    EXPECT_EQ(check(), MoveOutcome::Continue);
    EXPECT_FALSE(defaults.objectForKey(MoveToApplicationsFolder::suppressKey));
    alert.answer = { false, true };
    check();
    EXPECT_TRUE(defaults.boolForKey(MoveToApplicationsFolder::suppressKey));
    check();
    EXPECT_EQ(alert.shown.size(), 4u);
    EXPECT_EQ(readFile(*folders.source), "new version");
}

TEST_F(MoveToApplicationsFolderTest, writableCopyThatIsNotRunningGoesToTheTrashBeforeTheMove)
{
    giveUserAnAppImage();
    writeFile(userDestination(), "old version");
    auto login = home / ".config/autostart/scriblo.desktop";
    writeFile(login, "[Desktop Entry]\nType=Application\nName=Scriblo\nExec=\"" + folders.source->string() + "\"\n");

    EXPECT_EQ(check(), MoveOutcome::Quit);
    EXPECT_THAT(services.calls, ElementsAre("running check", "trash " + userDestination().string(), "relaunch " + userDestination().string()));
    EXPECT_EQ(readFile(userDestination()), "new version");
    EXPECT_FALSE(std::filesystem::exists(*folders.source));
    EXPECT_THAT(readFile(home / ".local/share/applications/org.scriblo.Scriblo.desktop"), HasSubstr("Exec=\"" + userDestination().string() + "\""));
    EXPECT_THAT(readFile(login), HasSubstr("Exec=\"" + userDestination().string() + "\""));
    EXPECT_THAT(services.logLines, ElementsAre("INFO -- Moving myself to the Applications folder"));
}

TEST_F(MoveToApplicationsFolderTest, runningCopyIsOpenedInsteadAndNothingMoves)
{
    giveUserAnAppImage();
    writeFile(userDestination(), "old version");
    services.running = { userDestination() };
    EXPECT_EQ(check(), MoveOutcome::Quit);
    EXPECT_THAT(services.calls, ElementsAre("running check", "open " + userDestination().string()));
    EXPECT_EQ(readFile(userDestination()), "old version");
    EXPECT_EQ(readFile(*folders.source), "new version");
}

TEST_F(MoveToApplicationsFolderTest, copyThatIsNotWritableIsReplacedWithAuthorizationAndNoRunningCheck)
{
    giveUserAnAppImage();
    writeFile(userDestination(), "old version");
    services.readOnly = { userDestination() };
    EXPECT_EQ(check(), MoveOutcome::Quit);
    EXPECT_THAT(alert.shown.front(), HasSubstr("Note that this will require an administrator password."));
    EXPECT_THAT(alert.shown.front(), ::testing::Not(HasSubstr("Downloads")));
    EXPECT_THAT(services.calls, ElementsAre("authorized copy " + folders.source->string() + " -> " + userDestination().string(),
                                    "relaunch " + userDestination().string()));
}

TEST_F(MoveToApplicationsFolderTest, cancelledPasswordPromptIsSilentAndOtherAuthorizationFailuresAlert)
{
    services.readOnly = { std::filesystem::weakly_canonical(folders.localApplications) };
    services.authorization = AuthorizedCopy::Cancelled;
    EXPECT_EQ(check(), MoveOutcome::Continue);
    EXPECT_EQ(alert.shown.size(), 1u) << "only the offer";
    EXPECT_EQ(services.logLines.back(), "INFO -- Not moving because user canceled authorization");

    services.authorization = AuthorizedCopy::Failed;
    EXPECT_EQ(check(), MoveOutcome::Continue);
    EXPECT_EQ(alert.shown.back(), "failure");
    EXPECT_EQ(services.logLines.back(), "ERROR -- Could not copy myself to /Applications with authorization");
    EXPECT_EQ(readFile(*folders.source), "new version");
}

TEST_F(MoveToApplicationsFolderTest, authorizationNeverRemovesADestinationThatIsNoAppImage)
{
    folders.source = home / "Downloads/scriblo";
    writeFile(*folders.source, "program");
    services.readOnly = { std::filesystem::weakly_canonical(folders.localApplications) };
    EXPECT_EQ(check(), MoveOutcome::Continue);
    EXPECT_EQ(alert.shown.back(), "failure");
    EXPECT_THAT(services.calls, IsEmpty());
}

TEST_F(MoveToApplicationsFolderTest, failedCopyAlertsAndKeepsTheProgramWhereItIs)
{
    std::filesystem::remove_all(folders.localApplications);
    EXPECT_EQ(check(), MoveOutcome::Continue);
    EXPECT_EQ(alert.shown.back(), "failure");
    ASSERT_EQ(services.logLines.size(), 3u);
    EXPECT_THAT(services.logLines[1], HasSubstr("ERROR -- Could not copy '" + folders.source->string() + "' to '"));
    EXPECT_THAT(services.logLines[2], HasSubstr("ERROR -- Could not copy myself to "));
    EXPECT_EQ(readFile(*folders.source), "new version");
    EXPECT_FALSE(std::filesystem::exists(home / ".local/share/applications")) << "no menu entry for a move that did not happen";
}

TEST_F(MoveToApplicationsFolderTest, fromADiskImageTheSourceStaysAndTheImageIsDetachedAfterTheRelaunch)
{
    services.imageDevice = "/dev/loop7p1";
    giveUserAnAppImage();
    EXPECT_EQ(check(), MoveOutcome::Quit);
    EXPECT_THAT(services.calls, ElementsAre("relaunch " + userDestination().string(), "detach /dev/loop7p1"));
    EXPECT_EQ(readFile(*folders.source), "new version");
    EXPECT_EQ(readFile(userDestination()), "new version");
}
