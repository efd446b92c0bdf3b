#include "multitouch/DrmDisplayList.h"
#include "multitouch/MultitouchServices.h"

#include "platform/UdevMonitor.h"

#include <QCoreApplication>
#include <QThread>

namespace scriblo {

namespace {

class SystemFramework final : public MultitouchFramework {
public:
    bool isAvailable() override { return MTDeviceIsAvailable(); }
    std::vector<MTDeviceRef> createList() override { return MTDeviceCreateList(); }
    std::optional<bool> isBuiltIn(const MTDevice& device) override { return device.isBuiltIn(); }
    void registerContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback,
                                      void* context) override
    {
        MTRegisterContactFrameCallback(device, callback, context);
    }
    void unregisterContactFrameCallback(const MTDeviceRef& device, MTContactFrameCallback callback) override
    {
        MTUnregisterContactFrameCallback(device, callback);
    }
    void start(const MTDeviceRef& device) override { MTDeviceStart(device, 0); }
    void stop(const MTDeviceRef& device) override { MTDeviceStop(device); }
    bool setGrabbed(const MTDeviceRef& device, bool grabbed) override { return MTDeviceSetGrabbed(device, grabbed); }
    std::vector<MTDeviceRef> createListIncludingUnreadable() override { return MTDeviceCreateListIncludingUnreadable(); }
};

class UdevHardwareWatch final : public HardwareWatch {
public:
    explicit UdevHardwareWatch(std::function<void()> changed)
        : m_alive(std::make_shared<bool>(true))
    {
        // Touchpads are input devices; a display plugged in or out is a change of its
        // DRM card.
        m_monitor = new UdevMonitor({ "input", "drm" }, [alive = m_alive, changed = std::move(changed)](udev_device*) {
            if (*alive)
                changed();
        });
    }
    // The announcement being handled may end this watch, so the monitor outlives it
    // until the event loop is back, and hears nothing more.
    ~UdevHardwareWatch() override
    {
        *m_alive = false;
        m_monitor->deleteLater();
    }

private:
    std::shared_ptr<bool> m_alive;
    UdevMonitor* m_monitor;
};

class UdevHardwareWatcher final : public HardwareWatcher {
public:
    std::unique_ptr<HardwareWatch> watch(std::function<void()> changed) override
    {
        return std::make_unique<UdevHardwareWatch>(std::move(changed));
    }
};

class QtMainThreadQueue final : public MainThreadQueue {
public:
    bool isCurrent() const override
    {
        auto* application = QCoreApplication::instance();
        return !application || QThread::currentThread() == application->thread();
    }
    void post(std::function<void()> work) override
    {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
    }
};

}

MultitouchServices MultitouchServices::system()
{
    return { std::make_shared<SystemFramework>(), std::make_shared<UdevHardwareWatcher>(),
             std::make_shared<QtMainThreadQueue>(), std::make_shared<DrmDisplayList>() };
}

}
