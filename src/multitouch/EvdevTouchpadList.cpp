#include "multitouch/EvdevTouchpadList.h"

#include "multitouch/EvdevTouchpad.h"

#include <libudev.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace scriblo {

namespace {

struct UdevDeleter {
    void operator()(udev* context) const { udev_unref(context); }
    void operator()(udev_enumerate* enumeration) const { udev_enumerate_unref(enumeration); }
    void operator()(udev_device* device) const { udev_device_unref(device); }
};

bool propertyIs(udev_device* device, const char* key, std::string_view wanted)
{
    const char* value = udev_device_get_property_value(device, key);
    return value && wanted == value;
}

std::string parentAttribute(udev_device* device, const char* name)
{
    udev_device* parent = udev_device_get_parent_with_subsystem_devtype(device, "input", nullptr);
    const char* value = parent ? udev_device_get_sysattr_value(parent, name) : nullptr;
    return value ? value : "";
}

MTDeviceRef touchpadFrom(udev_device* device)
{
    const char* node = udev_device_get_devnode(device);
    if (!node || !propertyIs(device, "ID_INPUT_TOUCHPAD", "1"))
        return nullptr;
    if (propertyIs(device, "ID_INPUT_TOUCHSCREEN", "1") || propertyIs(device, "ID_INPUT_TABLET", "1"))
        return nullptr;
    auto bus = uint16_t(std::strtoul(parentAttribute(device, "id/bustype").c_str(), nullptr, 16));
    return std::make_shared<EvdevTouchpad>(node, parentAttribute(device, "name"), bus);
}

}

bool EvdevTouchpadList::isAvailable()
{
    std::unique_ptr<udev, UdevDeleter> context(udev_new());
    return context != nullptr;
}

std::vector<MTDeviceRef> EvdevTouchpadList::createList()
{
    std::vector<MTDeviceRef> devices;
    std::unique_ptr<udev, UdevDeleter> context(udev_new());
    if (!context)
        return devices;
    std::unique_ptr<udev_enumerate, UdevDeleter> enumeration(udev_enumerate_new(context.get()));
    udev_enumerate_add_match_subsystem(enumeration.get(), "input");
    udev_enumerate_add_match_sysname(enumeration.get(), "event*");
    udev_enumerate_add_match_property(enumeration.get(), "ID_INPUT_TOUCHPAD", "1");
    udev_enumerate_scan_devices(enumeration.get());
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration.get()))
    {
        std::unique_ptr<udev_device, UdevDeleter> device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (device) {
            if (auto touchpad = touchpadFrom(device.get()))
                devices.push_back(std::move(touchpad));
        }
    }
    return devices;
}

}
