#pragma once

#include "multitouch/MultitouchListener.h"
#include "multitouch/MultitouchServices.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

namespace scriblo {

// Connects to every touchpad, wraps each contact frame as a MultitouchEvent and hands
// it to the registered listeners, most recently registered first. Starting, stopping
// and restarting always happen on the main thread; frames arrive on the devices' own
// reader threads.
//
// Nothing runs while nothing happens: devices coming and going are announced (udev),
// and so is a wake (logind). Whether a built-in display is active is read again when
// a built-in touchpad's frames arrive, at most once a second, since a lid closed on an
// external screen is announced by nobody.
class MultitouchManager {
public:
    static constexpr double displayCheckInterval = 1.0;

    explicit MultitouchManager(MultitouchServices services);
    ~MultitouchManager();
    MultitouchManager(const MultitouchManager&) = delete;
    MultitouchManager& operator=(const MultitouchManager&) = delete;

    // The process-wide manager on the system's touchpads, restarted after every wake.
    static MultitouchManager& sharedMultitouchManager();

    bool systemIsMultitouchCapable() const;
    // Whether a touchpad exists, readable or not: one that only lacks permission still
    // makes this a touchpad machine, and access usually follows at the next login.
    bool touchpadPresent() const;
    // Replaces any listener with this target and callback, then starts forwarding.
    void addMultitouchListener(QObject* target, MultitouchCallback callback, QThread* thread = nullptr);
    // Without a callback, removes every listener of the target. Forwarding goes on.
    void removeMultitouchListeners(const QObject* target, std::optional<MultitouchCallback> callback = std::nullopt);

    void startForwardingMultitouchEventsToListeners();
    void stopForwardingMultitouchEventsToListeners();
    // After a wake, and when touchpads came or went: the devices are listed afresh.
    void restartMultitouchEventForwarding();
    // At quit, after the stop: frames already queued would otherwise still reach the
    // listeners while the application is being torn down. Main thread only.
    void discardQueuedFrames();
    void checkMultitouchHardware();
    void handleMultitouchEvent(const MultitouchEventPointer& event);

    // Exclusive access to every touchpad, kept across restarts until released, so a
    // wake or a new device during a capture cannot hand the pad back to the desktop.
    // Main thread only. Says whether every connected touchpad is grabbed now.
    bool setTouchpadsGrabbed(bool grabbed);
    bool touchpadsGrabbed() const { return m_grabbed; }

    bool forwardingMultitouchEventsToListeners() const { return m_forwarding; }
    std::vector<MultitouchListenerPointer> multitouchListeners() const;
    const std::vector<MTDeviceRef>& multitouchDevices() const { return m_devices; }
    bool watchingHardware() const { return m_hardwareWatch != nullptr; }
    bool builtInDisplayInactive() const { return m_builtInDisplayInactive; }

    // Whether a display connector (eDP-1, LVDS1, DSI-1, ...) belongs to a built-in panel.
    static bool isBuiltInDisplayName(const std::string& name);

private:
    static int multitouchContactFrameCallback(MTDevice* device, const MTTouch* touches, int32_t count,
                                              double timestamp, int32_t frame, void* context);
    void handleContactFrame(MTDevice& device, const MTTouch* touches, int32_t count, double timestamp,
                            int32_t frame);
    bool postUnlessOnMainThread(void (MultitouchManager::*operation)());
    void connectDevice(const MTDeviceRef& device);
    void disconnectDevice(const MTDeviceRef& device);
    void updateBuiltInDisplayState();
    void updateBuiltInDisplayStateIfDue(double frameTime);
    bool applyGrab(const MTDeviceRef& device, bool grabbed);

    MultitouchServices m_services;
    std::atomic<bool> m_forwarding { false };
    std::atomic<bool> m_builtInDisplayInactive { false };
    // Frame time of the last display check, on the clock of the device that asked;
    // NaN until the first.
    std::atomic<double> m_lastDisplayCheck;
    bool m_grabbed = false;
    mutable std::mutex m_listenersMutex;
    std::vector<MultitouchListenerPointer> m_listeners;
    std::vector<MTDeviceRef> m_devices;
    std::unique_ptr<HardwareWatch> m_hardwareWatch;
};

}
