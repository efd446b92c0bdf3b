#include "recognition/GestureCapture.h"
#include "recognition/StartPatternDetector.h"
#include "recognition/TouchFrameConversion.h"

#include "base/ManualClock.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace scriblo;
using namespace std::chrono_literals;

namespace {

// A minute of touchpad use at 125 Hz: taps, three-finger swipes, pointing and rests,
// as the multitouch layer hands them over.
std::vector<MultitouchEventPointer> mixedFrames()
{
    std::vector<MultitouchEventPointer> frames;
    for (int frame = 0; frame < 7500; ++frame) {
        int phase = frame % 300;
        int fingers = phase < 8 ? 4 : phase < 60 ? 3 : phase < 200 ? 1 : phase < 220 ? 2 : 0;
        std::vector<MultitouchTouch> touches;
        for (int finger = 0; finger < fingers; ++finger) {
            float t = float(frame) * 0.01f;
            MTTouch record {};
            record.identifier = finger + 1;
            record.state = MTTouchStateTouching;
            record.x = 0.3f + 0.1f * float(finger) + 0.2f * std::sin(t);
            record.y = 0.5f + 0.2f * std::cos(t);
            record.velocityX = 0.4f * std::cos(t);
            record.velocityY = -0.4f * std::sin(t);
            touches.emplace_back(record);
        }
        frames.push_back(std::make_shared<MultitouchEvent>(1, frame, frame / 125.0, std::move(touches)));
    }
    return frames;
}

// What the main thread does with each frame while the window is hidden: take the
// frame's touches as plain values and run the detectors.
void detectorsWhileHidden(benchmark::State& state)
{
    std::vector<MultitouchEventPointer> frames = mixedFrames();
    StartPatternDetector detector;
    StartConditions conditions { false, true, false };
    size_t index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(detector.handleFrame(touchFrameFromEvent(*frames[index]), conditions));
        index = (index + 1) % frames.size();
    }
}
BENCHMARK(detectorsWhileHidden);

// Frames into an ongoing three-stroke capture: points, paths and the redraw decision.
// The clock moves 8 ms a frame, so every other frame asks for a redraw.
void captureFrame(benchmark::State& state)
{
    ManualClock clock;
    int redraws = 0;
    CaptureCallbacks callbacks;
    callbacks.redraw = [&] { ++redraws; };
    GestureCapture capture(clock, clock, [] { return CaptureSettings { true, false, 300 }; }, callbacks);
    capture.setViewSize(1440, 900);
    TouchFrame frame { 1, { { 1, touchStateTouching, 0.2f, 0.5f, 0.5f, 0.1f },
                            { 2, touchStateTouching, 0.4f, 0.5f, 0.5f, 0.1f },
                            { 3, touchStateTouching, 0.6f, 0.5f, 0.5f, 0.1f } } };
    int framesInCapture = 0;
    for (auto _ : state) {
        // A real capture holds a few hundred frames; restart so the strokes stay that long.
        if (framesInCapture++ % 500 == 0) {
            state.PauseTiming();
            capture.startDetectingGesture(CaptureMode::Normal);
            clock.advanceBy(100ms);
            state.ResumeTiming();
        }
        for (FrameTouch& touch : frame.touches)
            touch.x = std::fmod(touch.x + 0.001f, 1.0f);
        capture.dealWithMultitouchEvent(frame);
        clock.advanceBy(8ms);
    }
    benchmark::DoNotOptimize(redraws);
}
BENCHMARK(captureFrame);

}

BENCHMARK_MAIN();
