#pragma once

#include "platform/SecondaryPresses.h"

#include <memory>
#include <vector>

namespace scriblo {

class EvdevMouse;

// In a Wayland session X clients see no input meant for native windows, so the mice are
// read straight from the kernel: read-only and never grabbed, so every press goes on to
// the compositor as before. Access comes from the udev rule for pointing devices that
// are not keyboards.
class EvdevSecondaryPresses final : public SecondaryPresses {
public:
    EvdevSecondaryPresses();
    ~EvdevSecondaryPresses() override;
    Expected<std::string> start(Handler handler) override;

private:
    std::vector<std::unique_ptr<EvdevMouse>> m_mice;
};

}
