#pragma once

#include "multitouch/MTDevice.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

// The contact-frame framework as the manager calls it. Calls may throw; the manager
// catches and drops such failures one device at a time.
class MultitouchFramework {
public:
    virtual ~MultitouchFramework() = default;
    virtual bool isAvailable() = 0;
    virtual std::vector<MTDeviceRef> createList() = 0;
    // No value when the framework cannot tell built-in devices apart.
    virtual std::optional<bool> isBuiltIn(const MTDevice& device) = 0;
    virtual void registerContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback,
                                              void* context) = 0;
    virtual void unregisterContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback) = 0;
    virtual void start(const MTDeviceRef& device) = 0;
    virtual void stop(const MTDeviceRef& device) = 0;
    // False when another program holds the device or it is not open.
    virtual bool setGrabbed(const MTDeviceRef& device, bool grabbed) = 0;
    // Every touchpad, also those this process cannot read yet.
    virtual std::vector<MTDeviceRef> createListIncludingUnreadable() = 0;
};

// A running watch on the hardware; destroying it stops it.
class HardwareWatch {
public:
    virtual ~HardwareWatch() = default;
};

// Says, on the main thread, when input devices or displays may have come, gone or
// changed; silent otherwise, so an idle machine never wakes the process.
class HardwareWatcher {
public:
    virtual ~HardwareWatcher() = default;
    virtual std::unique_ptr<HardwareWatch> watch(std::function<void()> changed) = 0;
};

// The thread that runs the interface, and a way to queue work for it.
class MainThreadQueue {
public:
    virtual ~MainThreadQueue() = default;
    virtual bool isCurrent() const = 0;
    virtual void post(std::function<void()> work) = 0;
};

class DisplayList {
public:
    virtual ~DisplayList() = default;
    // Connector names (eDP-1, HDMI-A-1, ...) of the active displays; no value when the
    // system does not say.
    virtual std::optional<std::vector<std::string>> activeDisplayNames() const = 0;
};

struct MultitouchServices {
    std::shared_ptr<MultitouchFramework> framework;
    std::shared_ptr<HardwareWatcher> hardware;
    std::shared_ptr<MainThreadQueue> mainThread;
    std::shared_ptr<DisplayList> displays;

    // The evdev (or replay) framework, udev's announcements, Qt's main thread, and DRM's
    // displays.
    static MultitouchServices system();
};

}
