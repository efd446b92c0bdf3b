#include "FakeMultitouchServices.h"
#include "support/QtTestApplication.h"

#include "multitouch/MultitouchManager.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <unistd.h>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

struct Delivery {
    const QObject* target;
    MultitouchEventPointer event;
};

class Recorder : public QObject {
public:
    explicit Recorder(std::vector<Delivery>& log) : m_log(log) { }
    void onFrame(const MultitouchEventPointer& event) { m_log.push_back({ this, event }); }
    void onOther(const MultitouchEventPointer&) { }

private:
    std::vector<Delivery>& m_log;
};

// Listener callbacks are queued to the main thread; this runs them.
void deliverQueuedCallbacks()
{
    QCoreApplication::sendPostedEvents();
}

}

class MultitouchManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }

    MTDeviceRef addDevice(std::optional<bool> builtIn = false)
    {
        framework->hardware.push_back(std::make_shared<FakeDevice>(builtIn));
        return framework->hardware.back();
    }

    std::shared_ptr<FakeFramework> framework = std::make_shared<FakeFramework>();
    std::shared_ptr<FakeHardwareWatcher> watcher = std::make_shared<FakeHardwareWatcher>();
    std::shared_ptr<FakeMainThread> mainThread = std::make_shared<FakeMainThread>();
    std::shared_ptr<FakeDisplays> displays = std::make_shared<FakeDisplays>();
    MultitouchManager manager { { framework, watcher, mainThread, displays } };
    std::vector<Delivery> log;
    Recorder first { log };
    Recorder second { log };
};

TEST_F(MultitouchManagerTest, registrationReplacesTheSameTargetAndCallbackOnlyRemovalLeavesDevicesRunningAndTheLastHearsFirst)
{
    auto device = addDevice();
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    EXPECT_EQ(manager.multitouchListeners().size(), 1u);
    manager.addMultitouchListener(&first, &Recorder::onOther);
    manager.addMultitouchListener(&second, &Recorder::onFrame);
    EXPECT_EQ(manager.multitouchListeners().size(), 3u);

    manager.removeMultitouchListeners(&first, &Recorder::onOther);
    EXPECT_EQ(manager.multitouchListeners().size(), 2u);
    manager.removeMultitouchListeners(&first);
    ASSERT_EQ(manager.multitouchListeners().size(), 1u);
    EXPECT_EQ(manager.multitouchListeners()[0]->target(), &second);

    manager.removeMultitouchListeners(&second);
    EXPECT_TRUE(manager.multitouchListeners().empty());
    EXPECT_TRUE(manager.forwardingMultitouchEventsToListeners());
    EXPECT_EQ(framework->stops[device.get()], 0);
    EXPECT_EQ(watcher->running, 1);

    // The last registered listener hears first, and all share one event, even one
    // without touches.
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    manager.addMultitouchListener(&second, &Recorder::onFrame);
    framework->sendFrame(device, { MTTouch {}, MTTouch {} });
    EXPECT_TRUE(log.empty()) << "callbacks run on the listeners' thread, not the reader's";
    deliverQueuedCallbacks();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].target, &second);
    EXPECT_EQ(log[1].target, &first);
    EXPECT_EQ(log[0].event, log[1].event);
    EXPECT_EQ(log[0].event->touches().size(), 2u);
    EXPECT_EQ(log[0].event->deviceIdentifier(), device->identifier());

    log.clear();
    framework->sendFrame(device, {});
    deliverQueuedCallbacks();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].event->touches().empty());
}

TEST_F(MultitouchManagerTest, startConnectsEveryDeviceOnceAndOnlyOnTheMainThread)
{
    auto one = addDevice();
    auto two = addDevice();
    std::thread([&] { manager.startForwardingMultitouchEventsToListeners(); }).join();
    EXPECT_FALSE(manager.forwardingMultitouchEventsToListeners()) << "posted, not run in the calling thread";
    mainThread->runPending();
    EXPECT_TRUE(manager.forwardingMultitouchEventsToListeners());
    manager.startForwardingMultitouchEventsToListeners();
    EXPECT_EQ(watcher->started, 1);
    for (const auto& device : { one, two }) {
        EXPECT_EQ(framework->registrations[device.get()], 1);
        EXPECT_EQ(framework->starts[device.get()], 1);
    }
    ASSERT_EQ(manager.multitouchDevices().size(), 2u);
    EXPECT_EQ(manager.multitouchDevices()[0], two) << "devices are connected from the last to the first";
}

TEST_F(MultitouchManagerTest, listenersComeAndGoWhileAReaderThreadDispatches)
{
    auto device = addDevice();
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    std::atomic<bool> done { false };
    std::thread reader([&] {
        do
            framework->sendFrame(device, { MTTouch {} });
        while (!done);
    });
    for (int round = 0; round < 300; ++round) {
        manager.addMultitouchListener(&second, &Recorder::onFrame);
        manager.removeMultitouchListeners(&second);
    }
    done = true;
    reader.join();
    deliverQueuedCallbacks();
    EXPECT_FALSE(log.empty());
    EXPECT_EQ(manager.multitouchListeners().size(), 1u);
}

TEST_F(MultitouchManagerTest, wakeOrAnnouncedChangeInDeviceCountRestartsWithTheListAfreshAndANewWatch)
{
    auto old = addDevice();
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    watcher->announce();
    EXPECT_EQ(watcher->started, 1) << "same count: nothing happens";

    // A wake restarts even when the count is unchanged: the device behind it may not be.
    auto fresh = std::make_shared<FakeDevice>();
    framework->hardware = { fresh };
    std::thread([&] { manager.restartMultitouchEventForwarding(); }).join();
    mainThread->runPending();
    EXPECT_EQ(framework->stops[old.get()], 1);
    EXPECT_EQ(manager.multitouchDevices(), framework->hardware);

    auto added = addDevice();
    watcher->announce();
    EXPECT_EQ(framework->stops[fresh.get()], 1);
    EXPECT_EQ(framework->starts[fresh.get()], 2);
    EXPECT_EQ(framework->starts[added.get()], 1);
    EXPECT_EQ(watcher->started, 3);
    EXPECT_EQ(watcher->running, 1);
    EXPECT_EQ(manager.multitouchDevices().size(), 2u);
}

TEST_F(MultitouchManagerTest, failingDeviceStillCountsAndOthersStart)
{
    auto failing = addDevice();
    auto healthy = addDevice();
    framework->failingDevice = failing.get();
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    EXPECT_EQ(manager.multitouchDevices().size(), 2u);
    EXPECT_EQ(framework->starts[failing.get()], 0);
    EXPECT_EQ(framework->starts[healthy.get()], 1);
    manager.stopForwardingMultitouchEventsToListeners();
    EXPECT_TRUE(manager.multitouchDevices().empty());
    EXPECT_EQ(framework->stops[healthy.get()], 1);
}

TEST_F(MultitouchManagerTest, builtInTouchpadFramesAreDroppedOnlyWhileTheKnownDisplaysLackABuiltInOne)
{
    auto builtIn = addDevice(true);
    auto external = addDevice(false);
    auto unknown = addDevice(std::nullopt);
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    framework->sendFrame(builtIn, {}, 10.0);
    // The lid closes on an external screen, which nobody announces: the built-in pad's
    // frames find out, once its last check is a second old.
    displays->names = std::vector<std::string> { "HDMI-A-1" };
    framework->sendFrame(builtIn, {}, 10.5);
    deliverQueuedCallbacks();
    EXPECT_EQ(log.size(), 2u) << "the displays are read at most once a second";

    log.clear();
    framework->sendFrame(builtIn, {}, 11.0);
    EXPECT_TRUE(manager.builtInDisplayInactive());
    for (const auto& device : { builtIn, external, unknown })
        framework->sendFrame(device, {}, 11.1);
    deliverQueuedCallbacks();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[0].event->deviceIdentifier(), builtIn->identifier());
    EXPECT_NE(log[1].event->deviceIdentifier(), builtIn->identifier());

    // A display plugged in is announced; headless and virtual machines list no
    // displays, and that is no closed lid.
    using Names = std::optional<std::vector<std::string>>;
    for (const Names& names : { Names { { "HDMI-A-1", "eDP-1" } }, Names { { "LVDS1" } }, Names { { "DSI-1" } },
                                Names {}, Names { std::vector<std::string> {} } }) {
        displays->names = names;
        watcher->announce();
        EXPECT_FALSE(manager.builtInDisplayInactive());
    }
    EXPECT_FALSE(MultitouchManager::isBuiltInDisplayName("DP-1"));
}

TEST_F(MultitouchManagerTest, aGrabOutlivesRestartsUntilReleasedCoversDevicesThatArriveMeanwhileAndSurvivesARefusingOne)
{
    auto old = addDevice();
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    EXPECT_TRUE(manager.setTouchpadsGrabbed(true));
    EXPECT_TRUE(framework->grabbed[old.get()]);

    manager.restartMultitouchEventForwarding();
    EXPECT_TRUE(framework->grabbed[old.get()]) << "a wake during a capture must grab again";
    auto added = addDevice();
    watcher->announce();
    EXPECT_TRUE(framework->grabbed[old.get()]);
    EXPECT_TRUE(framework->grabbed[added.get()]);

    EXPECT_TRUE(manager.setTouchpadsGrabbed(false));
    manager.restartMultitouchEventForwarding();
    EXPECT_FALSE(framework->grabbed[old.get()]);
    EXPECT_FALSE(framework->grabbed[added.get()]);

    // A device that refuses the grab is reported while the others are grabbed.
    framework->failingDevice = old.get();
    EXPECT_FALSE(manager.setTouchpadsGrabbed(true));
    EXPECT_TRUE(framework->grabbed[added.get()]);
    EXPECT_TRUE(manager.touchpadsGrabbed());
}

TEST_F(MultitouchManagerTest, aTouchpadThatCannotBeReadYetMakesATouchpadMachineAndWithoutCapabilityNothingStarts)
{
    framework->available = false;
    EXPECT_FALSE(manager.touchpadPresent());
    framework->hardware.push_back(std::make_shared<FakeDevice>(true, false));
    EXPECT_TRUE(manager.touchpadPresent());
    auto readable = addDevice();
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    EXPECT_FALSE(manager.forwardingMultitouchEventsToListeners()) << "without capability";
    EXPECT_EQ(watcher->running, 0) << "without capability nothing is watched";

    framework->available = true;
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    EXPECT_EQ(manager.multitouchDevices(), std::vector<MTDeviceRef> { readable }) << "only readable devices are connected";
}

TEST_F(MultitouchManagerTest, framesForARemovedOrDestroyedListenerOrAfterStopOrQuitGoNowhere)
{
    auto device = addDevice();
    auto doomed = std::make_unique<Recorder>(log);
    manager.addMultitouchListener(doomed.get(), &Recorder::onFrame);
    manager.addMultitouchListener(&first, &Recorder::onFrame);
    manager.addMultitouchListener(&second, &Recorder::onFrame);
    framework->sendFrame(device, { MTTouch {} });
    manager.removeMultitouchListeners(&second);
    doomed.reset();
    deliverQueuedCallbacks();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].target, &first);

    log.clear();
    framework->sendFrame(device, { MTTouch {} });
    manager.stopForwardingMultitouchEventsToListeners();
    manager.discardQueuedFrames();
    deliverQueuedCallbacks();
    EXPECT_TRUE(log.empty()) << "a frame queued before the quit must not reach a listener during the teardown";
    manager.handleMultitouchEvent(MultitouchEvent::fromRecords(1, nullptr, 0, 0, 1));
    deliverQueuedCallbacks();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(framework->unregistrations[device.get()], 1);
    EXPECT_EQ(framework->stops[device.get()], 1);
    EXPECT_EQ(watcher->running, 0);
}

namespace {

// Run in a child process of its own: the application object is made and destroyed
// here, and a hang is ended by the alarm instead of holding up the whole suite.
[[noreturn]] void destroyApplicationWithFramesQueuedForARemovedListener()
{
    alarm(10);
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = { name, nullptr };
    auto application = std::make_unique<QCoreApplication>(argc, argv);
    auto framework = std::make_shared<FakeFramework>();
    framework->hardware.push_back(std::make_shared<FakeDevice>());
    MultitouchManager manager { { framework, std::make_shared<FakeHardwareWatcher>(), std::make_shared<FakeMainThread>(),
                                  std::make_shared<FakeDisplays>() } };
    std::vector<Delivery> log;
    Recorder controller { log };
    manager.addMultitouchListener(&controller, &Recorder::onFrame);
    for (int frame = 0; frame < 10; ++frame)
        framework->sendFrame(framework->hardware.front(), { MTTouch {} });
    // What a controller's destructor does after the event loop has ended.
    manager.removeMultitouchListeners(&controller);
    application.reset();
    std::_Exit(0);
}

}

// Qt deletes the events still queued when the application object goes, holding the lock
// that posting an event takes.
TEST(MultitouchQuitTest, anApplicationDestroyedWithFramesQueuedForARemovedListenerEnds)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(destroyApplicationWithFramesQueuedForARemovedListener(), ::testing::ExitedWithCode(0), "");
}
