#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace scriblo {

struct AxisRange {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t resolution = 0;
};

// What a touchpad says about itself: identity, axes, keys and input properties.
// Filled from a live device or from a recording's description lines.
struct TouchpadDescription {
    std::string name;
    uint16_t bus = 0;
    uint16_t vendor = 0;
    uint16_t product = 0;
    std::set<uint16_t> properties;
    std::set<uint16_t> keys;
    std::map<uint16_t, AxisRange> axes;

    bool hasAxis(uint16_t code) const { return axes.count(code) != 0; }
    bool hasKey(uint16_t code) const { return keys.count(code) != 0; }
    bool hasProperty(uint16_t property) const { return properties.count(property) != 0; }

    // A relative-pointer surface with finger tools: not a touchscreen, tablet or mouse.
    bool isTouchpad() const;
    // Wired inside the machine (i8042, I2C, SMBus/RMI, SPI, host) rather than USB or Bluetooth.
    bool isBuiltIn() const { return isBuiltInBus(bus); }
    static bool isBuiltInBus(uint16_t bus);
    bool isSemiMultitouch() const;
    // Slots the device tracks on its own; 1 for a single-touch device.
    int slotCount() const;
    std::string busName() const;
};

}
