#include "base/InlineWorkQueue.h"
#include "base/ManualClock.h"
#include "core/BenchmarkGestures.h"
#include "core/MemoryUserDefaults.h"
#include "launch/FakeWorkspace.h"
#include "launch/TargetsAndSettings.h"
#include "launch/LoginItems.h"
#include "multitouch/FakeMultitouchServices.h"
#include "multitouch/MultitouchManager.h"
#include "platform/EventFilter.h"
#include "recognition/NominalFrameRate.h"
#include "recognition/GestureRecognitionController.h"
#include "recognition/GestureRecognitionView.h"
#include "recognition/GestureRecognitionWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <fstream>
#include <stdexcept>
#include <sys/stat.h>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

class QuietEventFilter final : public EventFilter {
public:
    Expected<std::string> watchSecondaryPresses(SecondaryPresses::Handler) override { return std::string(); }
    void holdAllInput(QWindow*) override { }
    void releaseKeyboardAndPointer() override { }
    void releaseTouchpads() override { }
};

class NoLoginItems final : public LoginItems {
public:
    bool containsApplication() override { return false; }
    void setContainsApplication(bool) override { }
};

// The recognition side with its services faked, 100 real three-stroke gestures stored
// and each bound to a script of its own.
struct RecognitionSide {
    RecognitionSide()
    {
        const auto& drawings = bench::threeStrokeDrawings();
        targetsAndSettings.setup();
        // A bench machine may have no mouse to watch; the recognition side runs without.
        (void)controller.applicationDidFinishLaunching();
        for (size_t index = 0; index < drawings.stored.size(); ++index) {
            std::string script = scripts.filePath(QString::number(index)).toStdString();
            std::ofstream(script) << "#!/bin/sh\n";
            chmod(script.c_str(), 0755);
            gestures.push_back({ script, drawings.stored[index].strokes });
        }
        targetsAndSettings.catalogue().fetch("scripts");
        for (const auto& gesture : gestures)
            if (auto saved = controller.recognitionModel().saveGestureWithStrokes(gesture.strokes, gesture.identity); !saved)
                throw std::runtime_error("cannot store the benchmark's gestures: " + saved.error());
    }

    QTemporaryDir scripts;
    ManualClock clock;
    std::shared_ptr<MemoryUserDefaults> storage = std::make_shared<MemoryUserDefaults>();
    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    MultitouchManager manager { { std::make_shared<FakeFramework>(), std::make_shared<FakeHardwareWatcher>(),
                                  std::make_shared<FakeMainThread>(), std::make_shared<FakeDisplays>() } };
    QuietEventFilter eventFilter;
    TargetsAndSettings targetsAndSettings { { workspace, scripts.path().toStdString(), storage, std::make_shared<NoLoginItems>(),
                                     [] { return true; } } };
    InlineWorkQueue storeWrites;
    GestureRecognitionController controller { { clock, clock, *storage, storeWrites, targetsAndSettings, manager, eventFilter, [] { return false; },
                                                false } };
    std::vector<bench::NamedDrawing> gestures;
};

// From the end of the drawing (the last release, or the reading delay after the last
// finger lifts) to the launch under way on its own thread: matching against 100 stored
// three-stroke gestures, the catalogue lookup and the result display.
void endOfDrawingToLaunch(benchmark::State& state)
{
    if (!bench::threeStrokeDrawings().problem.empty()) {
        state.SkipWithError(bench::threeStrokeDrawings().problem.c_str());
        return;
    }
    RecognitionSide side;
    size_t index = 0;
    for (auto _ : state) {
        state.PauseTiming();
        side.controller.shouldStartDetectingGesture(CaptureMode::Normal);
        auto strokes = side.gestures[index++ % side.gestures.size()].strokes;
        state.ResumeTiming();
        side.controller.recognizeGestureWithStrokes(std::move(strokes));
        state.PauseTiming();
        side.clock.advanceBy(std::chrono::seconds(2));
        state.ResumeTiming();
    }
    state.counters["launches"] = double(side.workspace->launches().size());
}
BENCHMARK(endOfDrawingToLaunch)->Unit(benchmark::kMillisecond);

// From the last frame of a four-finger tap to the window on screen and painted.
void startPatternToWindowShown(benchmark::State& state)
{
    RecognitionSide side;
    state.SetLabel(QGuiApplication::platformName().toStdString());
    // Frames as a pad at the nominal rate reports them: the tap is judged by its length.
    double timestamp = 0;
    auto frame = [&timestamp](int touches) {
        std::vector<MTTouch> records(static_cast<size_t>(touches));
        for (int finger = 0; finger < touches; ++finger) {
            records[size_t(finger)].identifier = finger + 1;
            records[size_t(finger)].state = MTTouchStateTouching;
            records[size_t(finger)].x = 0.2f + 0.1f * float(finger);
        }
        timestamp += 1 / NominalFrameRate::framesPerSecond;
        return MultitouchEvent::fromRecords(1, records.data(), touches, timestamp, 1);
    };
    QWindow* window = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        for (int count = 0; count < 5; ++count)
            side.controller.handleMultitouchEvent(frame(4));
        auto lifted = frame(0);
        state.ResumeTiming();
        side.controller.handleMultitouchEvent(lifted);
        window = side.controller.recognitionWindow()->windowHandle();
        while (!window->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        state.PauseTiming();
        side.controller.recognitionView()->finishDetectingGesture(CaptureEnding::DiscardStrokes);
        side.clock.advanceBy(std::chrono::seconds(2));
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(startPatternToWindowShown)->Unit(benchmark::kMillisecond);

}

// An X server when there is one (Xvfb in CI), so showing the window includes mapping
// it; the offscreen platform otherwise.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
