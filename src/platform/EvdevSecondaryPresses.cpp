#include "platform/EvdevSecondaryPresses.h"

#include "platform/EvdevMouse.h"

#include <libudev.h>

#include <memory>
#include <type_traits>
#include <string_view>

namespace scriblo {

namespace {

template <class Object, auto unref>
using UdevPointer = std::unique_ptr<Object, std::integral_constant<decltype(unref), unref>>;

// Pointing devices that are not keyboards too: a keyboard's node would carry keystrokes,
// which Scriblo has no business reading.
std::vector<std::string> mouseNodes()
{
    std::vector<std::string> nodes;
    UdevPointer<udev, udev_unref> context(udev_new());
    if (!context)
        return nodes;
    UdevPointer<udev_enumerate, udev_enumerate_unref> enumeration(udev_enumerate_new(context.get()));
    udev_enumerate_add_match_subsystem(enumeration.get(), "input");
    udev_enumerate_add_match_sysname(enumeration.get(), "event*");
    udev_enumerate_add_match_property(enumeration.get(), "ID_INPUT_MOUSE", "1");
    udev_enumerate_scan_devices(enumeration.get());
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration.get()))
    {
        UdevPointer<udev_device, udev_device_unref> device(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        const char* node = device ? udev_device_get_devnode(device.get()) : nullptr;
        const char* keyboard = node ? udev_device_get_property_value(device.get(), "ID_INPUT_KEYBOARD") : nullptr;
        if (node && !(keyboard && std::string_view(keyboard) == "1"))
            nodes.emplace_back(node);
    }
    return nodes;
}

}

EvdevSecondaryPresses::EvdevSecondaryPresses() = default;
EvdevSecondaryPresses::~EvdevSecondaryPresses() = default;

Expected<std::string> EvdevSecondaryPresses::start(Handler handler)
{
    auto nodes = mouseNodes();
    if (nodes.empty())
        return Failure { "no mouse found (a Wayland session is watched through the mice's device files)" };
    std::string refusal;
    for (const auto& node : nodes) {
        if (auto mouse = EvdevMouse::open(node, handler))
            m_mice.push_back(std::move(*mouse));
        else
            refusal = mouse.error();
    }
    if (m_mice.empty())
        return Failure { "cannot read any mouse (" + refusal +
                         "); install the udev rule 70-scriblo-touchpad.rules and log in again" };
    return std::to_string(m_mice.size()) + (m_mice.size() == 1 ? " mouse" : " mice") + " read directly (Wayland session)";
}

}
