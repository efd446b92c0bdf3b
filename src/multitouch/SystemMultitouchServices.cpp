#include "multitouch/DrmDisplayList.h"
#include "multitouch/MultitouchServices.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

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

class QtRepeatingTimer final : public RepeatingTimer {
public:
    QtRepeatingTimer(double intervalSeconds, std::function<void()> body)
        : m_timer(new QTimer)
    {
        QObject::connect(m_timer, &QTimer::timeout, std::move(body));
        m_timer->start(int(intervalSeconds * 1000));
    }
    // The body may drop its own timer, so the QTimer outlives the running timeout.
    ~QtRepeatingTimer() override
    {
        m_timer->stop();
        m_timer->deleteLater();
    }

private:
    QTimer* m_timer;
};

class QtTimerScheduler final : public TimerScheduler {
public:
    std::unique_ptr<RepeatingTimer> scheduleRepeating(double intervalSeconds, std::function<void()> body) override
    {
        return std::make_unique<QtRepeatingTimer>(intervalSeconds, std::move(body));
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
    return { std::make_shared<SystemFramework>(), std::make_shared<QtTimerScheduler>(),
             std::make_shared<QtMainThreadQueue>(), std::make_shared<DrmDisplayList>() };
}

}
