#include "FakeWorkspace.h"
#include "launch/Application.h"
#include "launch/BrowserPage.h"
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
    target->launchWithNewThread(LaunchThread::New);
    target.reset();
    EXPECT_FALSE(watch.expired()) << "the launching thread must hold its target";
    release.set_value();
    finished.get_future().wait();
    EXPECT_EQ(workspace->launches(), std::vector<std::string> { "application a.desktop" });
}

// A launch that failed must never pass for one that worked: whoever launched hears why,
// on the launching thread, and a launch that could not even begin says so too.
TEST(LaunchableTest, failuresOfALaunchReachWhoeverLaunched)
{
    auto workspace = std::make_shared<FakeWorkspace>();
    workspace->onLaunch = [] { throw std::runtime_error("no such program"); };
    auto script = std::make_shared<Script>("S", "i", "/nowhere/script", workspace);
    std::vector<std::string> reasons;
    auto note = [&](const LaunchResult& result) { reasons.push_back(result ? "launched" : result.error()); };
    EXPECT_NO_THROW(script->launchWithNewThread(LaunchThread::Calling, note));
    EXPECT_EQ(workspace->launches(), std::vector<std::string> { "program /nowhere/script" });
    EXPECT_EQ(script->launchHere().error(), "no such program");

    std::promise<std::string> onItsThread;
    script->launchWithNewThread(LaunchThread::New, [&](const LaunchResult& result) { onItsThread.set_value(result.error()); });
    EXPECT_EQ(onItsThread.get_future().get(), "no such program");

    Script unowned("U", "i", "/nowhere/other", workspace);
    EXPECT_NO_THROW(unowned.launchWithNewThread(LaunchThread::New, note));
    EXPECT_EQ(reasons.size(), 2u);
    EXPECT_EQ(reasons[0], "no such program");
    EXPECT_NE(reasons[1].find("cannot start a launch"), std::string::npos) << reasons[1];
}
