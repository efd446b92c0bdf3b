#include "multitouch/MultitouchManager.h"

#include "multitouch/LogindSleepWatcher.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

namespace scriblo {

Q_LOGGING_CATEGORY(touchpadGrab, "scriblo.touchpad.grab")
Q_LOGGING_CATEGORY(touchpadManager, "scriblo.touchpad.manager")

MultitouchManager::MultitouchManager(MultitouchServices services)
    : m_services(std::move(services))
    , m_lastDisplayCheck(std::numeric_limits<double>::quiet_NaN())
{
}

MultitouchManager::~MultitouchManager()
{
    m_hardwareWatch.reset();
    for (const auto& device : m_devices)
        disconnectDevice(device);
}

MultitouchManager& MultitouchManager::sharedMultitouchManager()
{
    static MultitouchManager* manager = [] {
        auto* created = new MultitouchManager(MultitouchServices::system());
        // The watcher must live on the main thread, where its wake signal is delivered,
        // even when the manager is first asked for on another thread.
        if (auto* application = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(application, [created, application] {
                new LogindSleepWatcher([created] { created->restartMultitouchEventForwarding(); },
                                       application);
            });
        }
        return created;
    }();
    return *manager;
}

// A back end that throws costs the step, never the manager: the device lists and the
// restarts go on, and the log says which step failed and why.
static void logFailedStep(const char* step)
{
    QString reason;
    try {
        throw;
    } catch (const std::exception& failure) {
        reason = QString::fromLocal8Bit(failure.what());
    } catch (...) {
        reason = QStringLiteral("an exception of unknown type");
    }
    qCWarning(touchpadManager).noquote() << step << "failed:" << reason;
}

bool MultitouchManager::systemIsMultitouchCapable() const
{
    try {
        return m_services.framework->isAvailable();
    } catch (...) {
        logFailedStep("Asking for touchpad support");
        return false;
    }
}

bool MultitouchManager::touchpadPresent() const
{
    try {
        return !m_services.framework->createListIncludingUnreadable().empty();
    } catch (...) {
        logFailedStep("Listing touchpads");
        return false;
    }
}

void MultitouchManager::addMultitouchListener(QObject* target, MultitouchCallback callback, QThread* thread)
{
    removeMultitouchListeners(target, callback);
    auto listener = std::make_shared<MultitouchListener>(target, std::move(callback), thread);
    {
        std::lock_guard lock(m_listenersMutex);
        m_listeners.push_back(std::move(listener));
    }
    startForwardingMultitouchEventsToListeners();
}

void MultitouchManager::removeMultitouchListeners(const QObject* target, std::optional<MultitouchCallback> callback)
{
    std::lock_guard lock(m_listenersMutex);
    std::erase_if(m_listeners, [&](const MultitouchListenerPointer& listener) {
        return listener->targetIdentity() == target && (!callback || listener->callback() == *callback);
    });
}

std::vector<MultitouchListenerPointer> MultitouchManager::multitouchListeners() const
{
    std::lock_guard lock(m_listenersMutex);
    return m_listeners;
}

bool MultitouchManager::postUnlessOnMainThread(void (MultitouchManager::*operation)())
{
    if (m_services.mainThread->isCurrent())
        return false;
    m_services.mainThread->post([this, operation] { (this->*operation)(); });
    return true;
}

void MultitouchManager::startForwardingMultitouchEventsToListeners()
{
    if (postUnlessOnMainThread(&MultitouchManager::startForwardingMultitouchEventsToListeners))
        return;
    if (m_forwarding || !systemIsMultitouchCapable())
        return;
    std::vector<MTDeviceRef> fresh;
    try {
        fresh = m_services.framework->createList();
    } catch (...) {
        logFailedStep("Listing readable touchpads");
    }
    for (auto device = fresh.rbegin(); device != fresh.rend(); ++device)
        connectDevice(*device);
    updateBuiltInDisplayState();
    m_hardwareWatch = m_services.hardware->watch([this] { checkMultitouchHardware(); });
    m_forwarding = true;
}

void MultitouchManager::connectDevice(const MTDeviceRef& device)
{
    try {
        m_services.framework->registerContactFrameCallback(device, multitouchContactFrameCallback, this);
        m_services.framework->start(device);
        if (m_grabbed)
            applyGrab(device, true);
    } catch (...) {
        // A device that fails to start still counts as connected, so the hardware
        // check does not restart over and over because of it.
        logFailedStep(("Starting " + device->path()).c_str());
    }
    m_devices.push_back(device);
}

bool MultitouchManager::setTouchpadsGrabbed(bool grabbed)
{
    m_grabbed = grabbed;
    bool everyDevice = true;
    for (const auto& device : m_devices)
        everyDevice = applyGrab(device, grabbed) && everyDevice;
    return everyDevice;
}

bool MultitouchManager::applyGrab(const MTDeviceRef& device, bool grabbed)
{
    try {
        if (m_services.framework->setGrabbed(device, grabbed))
            return true;
    } catch (...) {
        logFailedStep("Changing the grab");
    }
    // The capture goes on without exclusivity: the pointer may move, but the drawing
    // still arrives, which beats refusing to start.
    qCWarning(touchpadGrab).noquote() << "Could not" << (grabbed ? "grab" : "release")
                                      << QString::fromStdString(device->path());
    return false;
}

void MultitouchManager::stopForwardingMultitouchEventsToListeners()
{
    if (postUnlessOnMainThread(&MultitouchManager::stopForwardingMultitouchEventsToListeners))
        return;
    if (!m_forwarding)
        return;
    m_hardwareWatch.reset();
    while (!m_devices.empty()) {
        MTDeviceRef device = m_devices.back();
        m_devices.pop_back();
        disconnectDevice(device);
    }
    m_forwarding = false;
}

void MultitouchManager::disconnectDevice(const MTDeviceRef& device)
{
    try {
        m_services.framework->unregisterContactFrameCallback(device, multitouchContactFrameCallback);
        m_services.framework->stop(device);
    } catch (...) {
        logFailedStep(("Stopping " + device->path()).c_str());
    }
}

void MultitouchManager::discardQueuedFrames()
{
    for (const auto& listener : multitouchListeners())
        listener->discardQueuedEvents();
}

void MultitouchManager::restartMultitouchEventForwarding()
{
    if (postUnlessOnMainThread(&MultitouchManager::restartMultitouchEventForwarding))
        return;
    stopForwardingMultitouchEventsToListeners();
    startForwardingMultitouchEventsToListeners();
}

void MultitouchManager::checkMultitouchHardware()
{
    updateBuiltInDisplayState();
    size_t count = m_devices.size();
    try {
        count = m_services.framework->createList().size();
    } catch (...) {
        logFailedStep("Counting touchpads");
    }
    if (count != m_devices.size())
        restartMultitouchEventForwarding();
}

bool MultitouchManager::isBuiltInDisplayName(const std::string& name)
{
    for (const char* prefix : { "eDP", "LVDS", "DSI" }) {
        if (name.rfind(prefix, 0) == 0)
            return true;
    }
    return false;
}

void MultitouchManager::updateBuiltInDisplayState()
{
    // Frames from a built-in touchpad are dropped only when displays are known to be
    // active and none of them is built in (a closed lid on an external screen). When
    // the system cannot list its displays, nothing is dropped.
    auto names = m_services.displays->activeDisplayNames();
    bool inactive = names && !names->empty() && std::none_of(names->begin(), names->end(), isBuiltInDisplayName);
    m_builtInDisplayInactive = inactive;
}

void MultitouchManager::updateBuiltInDisplayStateIfDue(double frameTime)
{
    // Two reader threads may both find the check due; both then read the displays,
    // which is harmless. A device clock that differs or runs backwards only makes a
    // check due sooner.
    double last = m_lastDisplayCheck;
    if (!std::isnan(last) && std::fabs(frameTime - last) < displayCheckInterval)
        return;
    m_lastDisplayCheck = frameTime;
    updateBuiltInDisplayState();
}

int MultitouchManager::multitouchContactFrameCallback(MTDevice* device, const MTTouch* touches, int32_t count,
                                                      double timestamp, int32_t frame, void* context)
{
    static_cast<MultitouchManager*>(context)->handleContactFrame(*device, touches, count, timestamp, frame);
    return 0;
}

void MultitouchManager::handleContactFrame(MTDevice& device, const MTTouch* touches, int32_t count,
                                           double timestamp, int32_t frame)
{
    if (m_services.framework->isBuiltIn(device).value_or(false)) {
        updateBuiltInDisplayStateIfDue(timestamp);
        if (m_builtInDisplayInactive)
            return;
    }
    handleMultitouchEvent(MultitouchEvent::fromRecords(device.identifier(), touches, count, timestamp, frame));
}

void MultitouchManager::handleMultitouchEvent(const MultitouchEventPointer& event)
{
    if (!m_forwarding)
        return;
    std::lock_guard lock(m_listenersMutex);
    for (auto listener = m_listeners.rbegin(); listener != m_listeners.rend(); ++listener)
        (*listener)->sendMultitouchEvent(event);
}

}
