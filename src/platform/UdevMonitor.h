#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QSocketNotifier;
struct udev;
struct udev_device;
struct udev_monitor;

namespace scriblo {

// Devices of some kernel subsystems coming, going and changing, as udev announces them
// once its rules have run. The announcements arrive on a socket that the event loop
// watches, so nothing runs while no device changes.
class UdevMonitor final : public QObject {
    Q_OBJECT
public:
    // Called on the monitor's thread with each announced device (its action through
    // udev_device_get_action), valid only during the call.
    using Handler = std::function<void(udev_device* device)>;

    UdevMonitor(const std::vector<std::string>& subsystems, Handler handler, QObject* parent = nullptr);
    ~UdevMonitor() override;

    // False where udev cannot be listened to (no netlink socket, as in some containers).
    bool isListening() const { return m_notifier != nullptr; }

private:
    void receive();

    Handler m_handler;
    udev* m_context = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
};

}
