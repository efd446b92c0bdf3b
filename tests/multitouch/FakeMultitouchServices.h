#pragma once

#include "multitouch/MultitouchServices.h"

#include <functional>
#include <map>
#include <stdexcept>
#include <thread>
#include <utility>

namespace scriblo::testing {

class FakeDevice final : public MTDevice {
public:
    explicit FakeDevice(std::optional<bool> builtIn = false, bool readable = true)
        : m_builtIn(builtIn), m_readable(readable) { }
    std::string path() const override { return {}; }
    TouchpadDescription description() const override { return {}; }
    bool isReadable() const override { return m_readable; }
    std::optional<bool> isBuiltIn() const override { return m_builtIn; }
    bool start() override { return true; }
    void stop() override { }
    bool setGrabbed(bool) override { return true; }

private:
    std::optional<bool> m_builtIn;
    bool m_readable;
};

// The hardware as the test sets it; counts every call the manager makes.
class FakeFramework final : public MultitouchFramework {
public:
    bool available = true;
    std::vector<MTDeviceRef> hardware;
    std::map<const MTDevice*, int> registrations, starts, unregistrations, stops;
    // Whether each device is held exclusively now; a device is released when stopped,
    // as closing an evdev node releases its grab.
    std::map<const MTDevice*, bool> grabbed;
    const MTDevice* failingDevice = nullptr;

    bool isAvailable() override { return available; }
    std::vector<MTDeviceRef> createList() override { return keepReadableDevices(hardware); }
    std::vector<MTDeviceRef> createListIncludingUnreadable() override { return hardware; }
    std::optional<bool> isBuiltIn(const MTDevice& device) override { return device.isBuiltIn(); }
    void registerContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback, void* context) override
    {
        failIfAsked(device);
        ++registrations[device.get()];
        m_callbacks[device.get()] = { callback, context };
    }
    void unregisterContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback) override
    {
        ++unregistrations[device.get()];
        m_callbacks.erase(device.get());
        failIfAsked(device);
    }
    void start(const MTDeviceRef& device) override { ++starts[device.get()]; }
    void stop(const MTDeviceRef& device) override
    {
        ++stops[device.get()];
        grabbed[device.get()] = false;
    }
    bool setGrabbed(const MTDeviceRef& device, bool grab) override
    {
        failIfAsked(device);
        grabbed[device.get()] = grab;
        return true;
    }

    // Delivers a frame the way a device's reader thread does.
    void sendFrame(const MTDeviceRef& device, std::vector<MTTouch> touches, double timestamp = 1.5)
    {
        auto found = m_callbacks.find(device.get());
        if (found == m_callbacks.end())
            return;
        auto [callback, context] = found->second;
        std::thread([&] { callback(device.get(), touches.data(), int32_t(touches.size()), timestamp, 1, context); }).join();
    }

private:
    void failIfAsked(const MTDeviceRef& device)
    {
        if (device.get() == failingDevice)
            throw std::runtime_error("device refused");
    }
    std::map<const MTDevice*, std::pair<MTContactFrameCallback, void*>> m_callbacks;
};

class FakeHardwareWatcher final : public HardwareWatcher {
public:
    struct Watch final : HardwareWatch {
        Watch(FakeHardwareWatcher& owner, std::function<void()> changed) : owner(owner), changed(std::move(changed)) { ++owner.running; }
        ~Watch() override { --owner.running; }
        FakeHardwareWatcher& owner;
        std::function<void()> changed;
    };

    int running = 0;
    int started = 0;
    Watch* latest = nullptr;

    std::unique_ptr<HardwareWatch> watch(std::function<void()> changed) override
    {
        ++started;
        auto watch = std::make_unique<Watch>(*this, std::move(changed));
        latest = watch.get();
        return watch;
    }
    // An announcement to the most recent watch, as a device plugged in or out gives.
    void announce()
    {
        auto changed = latest->changed;
        changed();
    }
};

class FakeMainThread final : public MainThreadQueue {
public:
    bool isCurrent() const override { return std::this_thread::get_id() == m_main; }
    void post(std::function<void()> work) override { m_pending.push_back(std::move(work)); }
    void runPending()
    {
        for (auto& work : std::exchange(m_pending, {}))
            work();
    }

private:
    std::vector<std::function<void()>> m_pending;
    std::thread::id m_main = std::this_thread::get_id();
};

class FakeDisplays final : public DisplayList {
public:
    std::optional<std::vector<std::string>> names = std::vector<std::string> { "eDP-1" };
    std::optional<std::vector<std::string>> activeDisplayNames() const override { return names; }
};

}
