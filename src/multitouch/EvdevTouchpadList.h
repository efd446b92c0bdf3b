#pragma once

#include "multitouch/MTDevice.h"

#include <vector>

namespace scriblo {

// The kernel's touchpads as udev classifies them (ID_INPUT_TOUCHPAD), never
// touchscreens, tablets or mice.
class EvdevTouchpadList {
public:
    static bool isAvailable();
    static std::vector<MTDeviceRef> createList();
};

}
