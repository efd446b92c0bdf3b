#include "multitouch/MultitouchManager.h"
#include "multitouch/ReplayTouchpad.h"
#include "multitouch/TouchpadDecoder.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>
#include <linux/input.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

using namespace scriblo;

namespace {

using Clock = std::chrono::steady_clock;

TouchpadDescription fiveSlotTouchpad()
{
    TouchpadDescription description;
    description.name = "benchmark pad";
    description.bus = BUS_I2C;
    description.keys = { BTN_TOOL_FINGER, BTN_TOOL_DOUBLETAP, BTN_TOOL_TRIPLETAP, BTN_TOOL_QUADTAP, BTN_TOOL_QUINTTAP };
    description.axes = { { ABS_X, { 0, 3000, 30 } }, { ABS_Y, { 0, 2000, 30 } }, { ABS_MT_SLOT, { 0, 4, 0 } },
                         { ABS_MT_POSITION_X, { 0, 3000, 30 } }, { ABS_MT_POSITION_Y, { 0, 2000, 30 } },
                         { ABS_MT_TRACKING_ID, { 0, 65535, 0 } }, { ABS_MT_PRESSURE, { 0, 255, 0 } } };
    return description;
}

// Four fingers circling for `frames` frames at 140 Hz, lifted and put down again
// every 200 frames, as a long recording would show them.
std::vector<InputEvent> fourFingerStream(int frames)
{
    std::vector<InputEvent> events;
    int tracking = 0;
    for (int frame = 0; frame < frames; ++frame) {
        double time = frame / 140.0;
        bool down = frame % 200 == 0;
        for (int finger = 0; finger < 4; ++finger) {
            events.push_back({ time, EV_ABS, ABS_MT_SLOT, finger });
            if (down)
                events.push_back({ time, EV_ABS, ABS_MT_TRACKING_ID, ++tracking });
            events.push_back({ time, EV_ABS, ABS_MT_POSITION_X, int(1500 + 600 * std::cos(frame * 0.05) + finger * 200) });
            events.push_back({ time, EV_ABS, ABS_MT_POSITION_Y, int(1000 + 400 * std::sin(frame * 0.05)) });
            events.push_back({ time, EV_ABS, ABS_MT_PRESSURE, 40 + finger });
        }
        if (down)
            events.push_back({ time, EV_KEY, BTN_TOOL_QUADTAP, 1 });
        events.push_back({ time, EV_SYN, SYN_REPORT, 0 });
    }
    return events;
}

void decoderThroughput(benchmark::State& state)
{
    auto events = fourFingerStream(100000);
    int64_t frames = 0;
    for (auto _ : state) {
        TouchpadDecoder decoder(fiveSlotTouchpad());
        for (const auto& event : events) {
            if (decoder.decode(event)) {
                benchmark::DoNotOptimize(decoder.touches().data());
                ++frames;
            }
        }
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(decoderThroughput)->Unit(benchmark::kMillisecond);

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = { name, nullptr };
    static QCoreApplication* instance = new QCoreApplication(argc, argv);
    return *instance;
}

// One silent device whose frames the benchmark sends itself, from its own thread.
class BenchFramework final : public MultitouchFramework {
public:
    class Device final : public MTDevice {
    public:
        std::string path() const override { return "bench"; }
        TouchpadDescription description() const override { return {}; }
        bool isReadable() const override { return true; }
        std::optional<bool> isBuiltIn() const override { return false; }
        bool start() override { return true; }
        void stop() override { }
        bool setGrabbed(bool) override { return true; }
    };
    MTDeviceRef device = std::make_shared<Device>();
    MTContactFrameCallback callback = nullptr;
    void* context = nullptr;

    bool isAvailable() override { return true; }
    std::vector<MTDeviceRef> createList() override { return { device }; }
    std::optional<bool> isBuiltIn(const MTDevice&) override { return false; }
    void registerContactFrameCallback(const MTDeviceRef&, MTContactFrameCallback registered, void* given) override
    {
        callback = registered;
        context = given;
    }
    void unregisterContactFrameCallback(const MTDeviceRef&, MTContactFrameCallback) override { }
    void start(const MTDeviceRef&) override { }
    void stop(const MTDeviceRef&) override { }
    bool setGrabbed(const MTDeviceRef&, bool) override { return true; }
    std::vector<MTDeviceRef> createListIncludingUnreadable() override { return { device }; }
};

class DelayProbe : public QObject {
public:
    std::atomic<int64_t> sentAt { 0 };
    std::atomic<bool> received { false };
    std::vector<double> delays;
    void onFrame(const MultitouchEventPointer&)
    {
        delays.push_back(double(Clock::now().time_since_epoch().count() - sentAt.load()) / 1e3);
        received = true;
    }
};

void dispatchDelay(benchmark::State& state)
{
    application();
    auto framework = std::make_shared<BenchFramework>();
    auto services = MultitouchServices::system();
    services.framework = framework;
    MultitouchManager manager(services);
    DelayProbe probe;
    manager.addMultitouchListener(&probe, &DelayProbe::onFrame);
    MTTouch touches[4];
    for (auto _ : state) {
        QEventLoop loop;
        probe.received = false;
        std::thread reader([&] {
            std::this_thread::sleep_for(std::chrono::microseconds(200)); // let the main thread go idle
            probe.sentAt = Clock::now().time_since_epoch().count();
            framework->callback(framework->device.get(), touches, 4, 0, 1, framework->context);
        });
        while (!probe.received)
            loop.processEvents(QEventLoop::WaitForMoreEvents);
        reader.join();
    }
    manager.stopForwardingMultitouchEventsToListeners();
    std::sort(probe.delays.begin(), probe.delays.end());
    state.counters["median_delay_us"] = probe.delays[probe.delays.size() / 2];
    state.counters["p99_delay_us"] = probe.delays[probe.delays.size() * 99 / 100];
}
BENCHMARK(dispatchDelay)->Iterations(2000)->Unit(benchmark::kMicrosecond);

double processCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A started device with no finger on it: its reader must sleep, not poll.
void idleDeviceCpu(benchmark::State& state)
{
    auto recording = std::make_shared<EvemuRecording>();
    recording->description = fiveSlotTouchpad();
    recording->events = { { 0, EV_ABS, ABS_X, 1 }, { 36000, EV_SYN, SYN_REPORT, 0 } };
    for (auto _ : state) {
        ReplayTouchpad device(recording, ReplayTouchpad::Pace::Recorded);
        device.start();
        double before = processCpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(1));
        state.counters["cpu_seconds_per_idle_second"] = processCpuSeconds() - before;
        device.stop();
    }
}
BENCHMARK(idleDeviceCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

// What the once-a-second hardware check costs: one udev scan for touchpads.
void hardwareCheckScan(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MTDeviceCreateListIncludingUnreadable());
}
BENCHMARK(hardwareCheckScan)->Unit(benchmark::kMicrosecond);

}

BENCHMARK_MAIN();
