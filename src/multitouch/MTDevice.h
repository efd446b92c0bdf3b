#pragma once

#include "multitouch/MTTouch.h"
#include "multitouch/TouchpadDescription.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class MTDevice;
class TouchpadDecoder;

// Called on the device's own reader thread for every frame; the records are valid only
// during the call. The return value is not used.
using MTContactFrameCallback = int (*)(MTDevice* device, const MTTouch* touches, int32_t count,
                                       double timestamp, int32_t frame, void* context);

// One touchpad that delivers contact frames: a live evdev device or a recording.
class MTDevice {
public:
    MTDevice();
    virtual ~MTDevice() = default;
    MTDevice(const MTDevice&) = delete;
    MTDevice& operator=(const MTDevice&) = delete;

    // Unique within the process for as long as it runs.
    int32_t identifier() const { return m_identifier; }
    virtual std::string path() const = 0;
    virtual TouchpadDescription description() const = 0;
    virtual bool isReadable() const = 0;
    // Whether the device sits inside the machine, where the back end can tell.
    virtual std::optional<bool> isBuiltIn() const = 0;

    void registerContactFrameCallback(MTContactFrameCallback callback, void* context);
    void unregisterContactFrameCallback(MTContactFrameCallback callback);

    virtual bool start() = 0;
    virtual void stop() = 0;
    // Exclusive access: while grabbed, no other program sees the device's events.
    virtual bool setGrabbed(bool grabbed) = 0;

protected:
    void deliverFrame(const TouchpadDecoder& decoder);

private:
    void unregisterContactFrameCallbackLocked(MTContactFrameCallback callback);

    struct Registration {
        MTContactFrameCallback callback;
        void* context;
    };
    const int32_t m_identifier;
    std::mutex m_callbackMutex;
    std::vector<Registration> m_callbacks;
};

using MTDeviceRef = std::shared_ptr<MTDevice>;

// The touchpads this process may read: the recordings named by SCRIBLO_TOUCHPAD_REPLAY
// when it is set, otherwise the evdev touchpads. "A touchpad exists" is
// `!MTDeviceCreateList().empty()`.
std::vector<MTDeviceRef> MTDeviceCreateList();
// Every touchpad, also those this process lacks permission to read.
std::vector<MTDeviceRef> MTDeviceCreateListIncludingUnreadable();
// Whether this system can deliver contact frames at all (a touchpad may come later).
bool MTDeviceIsAvailable();
std::optional<bool> MTDeviceIsBuiltIn(const MTDeviceRef& device);
void MTRegisterContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback,
                                    void* context = nullptr);
void MTUnregisterContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback);
bool MTDeviceStart(const MTDeviceRef& device, int option);
void MTDeviceStop(const MTDeviceRef& device);
bool MTDeviceSetGrabbed(const MTDeviceRef& device, bool grabbed);

// The readable devices of `devices`; about the others, says once per process how to
// get access.
std::vector<MTDeviceRef> keepReadableDevices(std::vector<MTDeviceRef> devices);

}
