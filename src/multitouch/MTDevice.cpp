#include "multitouch/MTDevice.h"

#include "multitouch/EvdevTouchpadList.h"
#include "multitouch/ReplayTouchpad.h"
#include "multitouch/TouchpadDecoder.h"

#include <QLoggingCategory>

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace scriblo {

Q_LOGGING_CATEGORY(touchpadAccess, "scriblo.touchpad.access")

namespace {

std::atomic<int32_t> nextDeviceIdentifier { 1 };

const char* replayVariable()
{
    const char* value = std::getenv("SCRIBLO_TOUCHPAD_REPLAY");
    return value && *value ? value : nullptr;
}

}

MTDevice::MTDevice()
    : m_identifier(nextDeviceIdentifier++)
{
}

void MTDevice::registerContactFrameCallback(MTContactFrameCallback callback, void* context)
{
    std::lock_guard lock(m_callbackMutex);
    unregisterContactFrameCallbackLocked(callback);
    m_callbacks.push_back({ callback, context });
}

void MTDevice::unregisterContactFrameCallback(MTContactFrameCallback callback)
{
    std::lock_guard lock(m_callbackMutex);
    unregisterContactFrameCallbackLocked(callback);
}

void MTDevice::unregisterContactFrameCallbackLocked(MTContactFrameCallback callback)
{
    std::erase_if(m_callbacks, [&](const Registration& registration) { return registration.callback == callback; });
}

void MTDevice::deliverFrame(const TouchpadDecoder& decoder)
{
    auto touches = decoder.touches();
    std::lock_guard lock(m_callbackMutex);
    for (const auto& registration : m_callbacks)
        registration.callback(this, touches.data(), int32_t(touches.size()), decoder.timestamp(),
                              decoder.frameNumber(), registration.context);
}

std::vector<MTDeviceRef> keepReadableDevices(std::vector<MTDeviceRef> devices)
{
    static std::once_flag told;
    for (const auto& device : devices) {
        if (device->isReadable())
            continue;
        std::call_once(told, [&] {
            qCWarning(touchpadAccess).noquote()
                << "No permission to read the touchpad" << QString::fromStdString(device->path())
                << "- Scriblo needs the udev rule 70-scriblo-touchpad.rules in /etc/udev/rules.d"
                   " or /usr/lib/udev/rules.d (installed with Scriblo). After installing it run"
                   " 'sudo udevadm control --reload && sudo udevadm trigger --subsystem-match=input'"
                   " and log in again. Touchpad gestures stay off until then.";
        });
    }
    std::erase_if(devices, [](const MTDeviceRef& device) { return !device->isReadable(); });
    return devices;
}

std::vector<MTDeviceRef> MTDeviceCreateListIncludingUnreadable()
{
    if (const char* replay = replayVariable())
        return ReplayTouchpad::createList(replay, ReplayTouchpad::Pace::Recorded);
    return EvdevTouchpadList::createList();
}

std::vector<MTDeviceRef> MTDeviceCreateList()
{
    return keepReadableDevices(MTDeviceCreateListIncludingUnreadable());
}

bool MTDeviceIsAvailable()
{
    return replayVariable() || EvdevTouchpadList::isAvailable();
}

std::optional<bool> MTDeviceIsBuiltIn(const MTDeviceRef& device)
{
    return device->isBuiltIn();
}

void MTRegisterContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback, void* context)
{
    device->registerContactFrameCallback(callback, context);
}

void MTUnregisterContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback)
{
    device->unregisterContactFrameCallback(callback);
}

bool MTDeviceStart(const MTDeviceRef& device, int)
{
    return device->start();
}

void MTDeviceStop(const MTDeviceRef& device)
{
    device->stop();
}

bool MTDeviceSetGrabbed(const MTDeviceRef& device, bool grabbed)
{
    return device->setGrabbed(grabbed);
}

}
