#include "FakeWorkspace.h"
#include "launch/Application.h"
#include "launch/ChromePage.h"
#include "launch/ChromiumPage.h"
#include "launch/FirefoxPage.h"
#include "launch/SafariPage.h"
#include "launch/Script.h"

#include <future>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace scriblo;
using scriblo::testing::FakeWorkspace;

// Stored gestures name their targets by these identities, so their form must not drift.
TEST(LaunchableTest, identitiesAreTheScriptsTidiedPathOrBrowserColonAddressAsRead)
{
    auto workspace = std::make_shared<FakeWorkspace>();
    EXPECT_EQ(Script("S", "x", "/opt/scripts/./My Script.sh", workspace).launchId(), "/opt/scripts/My Script.sh");
    EXPECT_EQ(ChromePage("N", "i", "https://a.org/", workspace).launchId(), "com.google.Chrome:https://a.org/");
    EXPECT_EQ(ChromiumPage("N", "i", "https://a.org", workspace).launchId(), "org.chromium.Chromium:https://a.org");
    EXPECT_EQ(FirefoxPage("N", "i", "HTTP://A.org", workspace).launchId(), "org.mozilla.firefox:HTTP://A.org");
    EXPECT_EQ(SafariPage("N", "i", "https://a.org/x", workspace).launchId(), "com.apple.Safari:https://a.org/x");
}

TEST(LaunchableTest, launchOnNewThreadReturnsBeforeLaunchBeginsAndKeepsTargetAlive)
{
    auto workspace = std::make_shared<FakeWorkspace>();
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> finished;
    // Were the launch run on the caller's thread, this would wait out its 10 s and fail.
    workspace->onLaunch = [&] {
        EXPECT_EQ(released.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        finished.set_value();
    };
    auto target = std::make_shared<Application>("A", "i", "a.desktop", workspace);
    std::weak_ptr<Launchable> watch = target;
    target->launchWithNewThread(true);
    target.reset();
    EXPECT_FALSE(watch.expired()) << "the launching thread must hold its target";
    release.set_value();
    finished.get_future().wait();
    EXPECT_EQ(workspace->launches(), std::vector<std::string> { "application a.desktop" });
}

TEST(LaunchableTest, failuresOfALaunchAreDropped)
{
    auto workspace = std::make_shared<FakeWorkspace>();
    workspace->onLaunch = [] { throw std::runtime_error("no such program"); };
    auto script = std::make_shared<Script>("S", "i", "/nowhere/script", workspace);
    EXPECT_NO_THROW(script->launchWithNewThread(false));
    EXPECT_EQ(workspace->launches(), std::vector<std::string> { "program /nowhere/script" });
    // The command line, unlike a gesture, hears why.
    EXPECT_EQ(script->launchHere(), "no such program");
    Script unowned("U", "i", "/nowhere/other", workspace);
    EXPECT_NO_THROW(unowned.launchWithNewThread(true));
}
