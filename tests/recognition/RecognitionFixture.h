#pragma once

#include "base/InlineWorkQueue.h"
#include "base/ManualClock.h"
#include "core/MemoryUserDefaults.h"
#include "core/RemovedGestures.h"
#include "launch/DesktopFixture.h"
#include "launch/FakeWorkspace.h"
#include "launch/TargetsAndSettings.h"
#include "multitouch/FakeMultitouchServices.h"
#include "multitouch/MultitouchManager.h"
#include "platform/EventFilter.h"
#include "support/RecordingNotifier.h"
#include "recognition/GestureRecognitionController.h"
#include "recognition/NominalFrameRate.h"
#include "support/QtTestApplication.h"

#include <optional>

namespace scriblo::testing {

// Says what the controller asked of the desktop's input, and lets a test press the
// secondary button, now or at a time of its choosing (a press read late).
class FakeEventFilter final : public EventFilter {
public:
    explicit FakeEventFilter(const Clock& clock) : m_clock(clock) { }

    Expected<std::string> watchSecondaryPresses(SecondaryPresses::Handler handler) override
    {
        pressSecondaryAt = std::move(handler);
        return std::string("fake presses");
    }
    void pressSecondary() { pressSecondaryAt(m_clock.now()); }
    void holdAllInput(QWindow*) override { keyboardAndPointerHeld = touchpadsHeld = true; }
    void releaseKeyboardAndPointer() override { keyboardAndPointerHeld = false; }
    void releaseTouchpads() override { touchpadsHeld = false; }

    SecondaryPresses::Handler pressSecondaryAt;
    bool keyboardAndPointerHeld = false;
    bool touchpadsHeld = false;

private:
    const Clock& m_clock;
};

// Keeps the identities of removed gestures, or refuses to keep any with `failure`.
class FakeRemovedGestures final : public RemovedGestures {
public:
    Expected<std::string> keep(const Gesture& gesture) override
    {
        if (failure)
            return Failure { *failure };
        kept.push_back(gesture.identity());
        return std::string("/kept/removed-gestures.json");
    }
    std::vector<std::string> kept;
    std::optional<std::string> failure;
};

// One recognition side on the offscreen platform, with every service faked and time in
// the test's hands: a manual clock, preferences in memory, a workspace that only notes
// launches, and scripts in a throw-away folder.
class RecognitionFixture : public DesktopFixture {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        scripts = root / "builtin";
        std::filesystem::create_directories(scripts);
    }

    void TearDown() override
    {
        controller.reset();
        targetsAndSettings.reset();
        DesktopFixture::TearDown();
    }

    std::filesystem::path addScript(const std::string& name)
    {
        auto path = scripts / name;
        writeFile(path, "#!/bin/sh\n", true);
        return path;
    }

    // Launches go to `desktop`, or to the fake workspace when it is null.
    void start(bool multitouch, bool compositing = true, bool xwayland = false, std::shared_ptr<Workspace> desktop = nullptr)
    {
        storage->setBool(multitouch, Settings::multitouchOptionKey);
        targetsAndSettings = std::make_unique<TargetsAndSettings>(TargetsAndSettings::Services {
            desktop ? desktop : workspace, scripts, storage, std::make_shared<FakeLoginItems>(), [] { return false; } });
        targetsAndSettings->setup();
        controller = std::make_unique<GestureRecognitionController>(GestureRecognitionController::Services {
            clock, clock, *storage, storeWrites, *targetsAndSettings, manager, eventFilter, [] { return false; }, compositing, xwayland,
            removedGestures, notifier });
        EXPECT_TRUE(controller->applicationDidFinishLaunching());
    }

    void sendFrame(int touches)
    {
        std::vector<MTTouch> records(static_cast<size_t>(touches));
        for (int finger = 0; finger < touches; ++finger) {
            auto& record = records[size_t(finger)];
            record.identifier = finger + 1;
            record.state = MTTouchStateTouching;
            record.x = 0.2f + 0.1f * float(finger);
            record.y = 0.5f;
            record.velocityX = 0.01f;
        }
        // One frame after another, as a pad at the nominal rate reports them.
        double timestamp = double(framesSent++) / NominalFrameRate::framesPerSecond;
        controller->handleMultitouchEvent(MultitouchEvent::fromRecords(1, records.data(), touches, timestamp, framesSent));
    }

    void fourFingerTap()
    {
        for (int frame = 0; frame < 5; ++frame)
            sendFrame(4);
        sendFrame(0);
    }

    int framesSent = 0;

    ManualClock clock;
    InlineWorkQueue storeWrites;
    std::shared_ptr<MemoryUserDefaults> storage = std::make_shared<MemoryUserDefaults>();
    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    MultitouchManager manager { { std::make_shared<FakeFramework>(), std::make_shared<FakeHardwareWatcher>(),
                                  std::make_shared<FakeMainThread>(), std::make_shared<FakeDisplays>() } };
    FakeEventFilter eventFilter { clock };
    std::shared_ptr<FakeRemovedGestures> removedGestures = std::make_shared<FakeRemovedGestures>();
    std::shared_ptr<RecordingNotifier> notifier = std::make_shared<RecordingNotifier>();
    std::filesystem::path scripts;
    std::unique_ptr<TargetsAndSettings> targetsAndSettings;
    std::unique_ptr<GestureRecognitionController> controller;
};

}
