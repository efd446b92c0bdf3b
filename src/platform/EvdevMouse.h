#pragma once

#include "platform/SecondaryPresses.h"

#include <QObject>

#include <memory>
#include <string>

class QSocketNotifier;
struct libevdev;

namespace scriblo {

// One mouse's event node, open for reading only.
class EvdevMouse final : public QObject {
    Q_OBJECT
public:
    // Fails with the reason the node cannot be read (usually a missing permission).
    static Expected<std::unique_ptr<EvdevMouse>> open(const std::string& path, SecondaryPresses::Handler handler);
    ~EvdevMouse() override;

private:
    EvdevMouse(int fd, libevdev* device, SecondaryPresses::Handler handler);
    void readEvents();

    int m_fd;
    libevdev* m_device;
    QSocketNotifier* m_notifier;
    SecondaryPresses::Handler m_handler;
};

}
