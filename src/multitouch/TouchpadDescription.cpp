#include "multitouch/TouchpadDescription.h"

#include <linux/input.h>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace scriblo {

bool TouchpadDescription::isTouchpad() const
{
    bool positioned = hasAxis(ABS_X) || hasAxis(ABS_MT_POSITION_X);
    bool tablet = hasKey(BTN_TOOL_PEN) || hasKey(BTN_STYLUS);
    return positioned && hasKey(BTN_TOOL_FINGER) && !tablet && !hasProperty(INPUT_PROP_DIRECT);
}

bool TouchpadDescription::isBuiltInBus(uint16_t bus)
{
    switch (bus) {
    case BUS_I8042:
    case BUS_I2C:
    case BUS_RMI:
    case BUS_SPI:
    case BUS_HOST:
        return true;
    default:
        return false;
    }
}

bool TouchpadDescription::isSemiMultitouch() const
{
    return hasProperty(INPUT_PROP_SEMI_MT);
}

int TouchpadDescription::slotCount() const
{
    auto slot = axes.find(ABS_MT_SLOT);
    if (slot == axes.end())
        return 1;
    // Computed wide: a corrupt range spanning the whole int must not overflow.
    int64_t count = int64_t(slot->second.maximum) - slot->second.minimum + 1;
    return int(std::clamp<int64_t>(count, 1, std::numeric_limits<int>::max()));
}

std::string TouchpadDescription::busName() const
{
    switch (bus) {
    case BUS_I8042: return "i8042";
    case BUS_I2C: return "i2c";
    case BUS_RMI: return "smbus";
    case BUS_SPI: return "spi";
    case BUS_HOST: return "host";
    case BUS_USB: return "usb";
    case BUS_BLUETOOTH: return "bluetooth";
    case BUS_VIRTUAL: return "virtual";
    default: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04x", bus);
        return hex;
    }
    }
}

}
