#pragma once

#include "multitouch/MultitouchServices.h"

#include <string>

namespace scriblo {

// The kernel's display connectors under /sys/class/drm (card0-eDP-1, ...), which tell
// enabled outputs without asking a display server.
class DrmDisplayList final : public DisplayList {
public:
    explicit DrmDisplayList(std::string root = "/sys/class/drm");

    std::optional<std::vector<std::string>> activeDisplayNames() const override;

private:
    std::string m_root;
};

}
