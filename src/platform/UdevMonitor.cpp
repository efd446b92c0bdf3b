#include "platform/UdevMonitor.h"

#include <QSocketNotifier>

#include <libudev.h>

namespace scriblo {

UdevMonitor::UdevMonitor(const std::vector<std::string>& subsystems, Handler handler, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler))
    , m_context(udev_new())
{
    // "udev", not "kernel": announcements after the rules have run, so the device's
    // properties (ID_INPUT_TOUCHPAD, ...) and its node's permissions are settled.
    m_monitor = m_context ? udev_monitor_new_from_netlink(m_context, "udev") : nullptr;
    if (!m_monitor)
        return;
    for (const auto& subsystem : subsystems)
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, subsystem.c_str(), nullptr);
    if (udev_monitor_enable_receiving(m_monitor) < 0)
        return;
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevMonitor::receive);
}

UdevMonitor::~UdevMonitor()
{
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_context)
        udev_unref(m_context);
}

void UdevMonitor::receive()
{
    // The socket is non-blocking: read until it is empty, so one wake-up serves a burst.
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        m_handler(device);
        udev_device_unref(device);
    }
}

}
