#pragma once

#include "platform/SecondaryPresses.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

struct udev_device;

namespace scriblo {

class EvdevMouse;
class UdevMonitor;

// In a Wayland session X clients see no input meant for native windows, so the mice are
// read straight from the kernel: read-only and never grabbed, so every press goes on to
// the compositor as before. Access comes from the udev rule for pointing devices that
// are not keyboards. Mice plugged in, unplugged or reconnected later are followed
// through udev's announcements.
class EvdevSecondaryPresses final : public SecondaryPresses {
public:
    EvdevSecondaryPresses();
    ~EvdevSecondaryPresses() override;
    Expected<std::string> start(Handler handler) override;

private:
    // Fails, saying why, when the node cannot be read.
    Expected<Done> open(const std::string& node);
    void deviceAnnounced(udev_device* device);

    Handler m_handler;
    std::map<std::string, std::unique_ptr<EvdevMouse>> m_mice;
    std::unique_ptr<UdevMonitor> m_monitor;
};

}
