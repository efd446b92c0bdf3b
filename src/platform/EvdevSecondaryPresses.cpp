#include "platform/EvdevSecondaryPresses.h"

#include "platform/EvdevMouse.h"
#include "platform/UdevMonitor.h"

#include <QLoggingCategory>
#include <QString>

#include <libudev.h>

#include <memory>
#include <type_traits>
#include <string_view>

namespace scriblo {

Q_LOGGING_CATEGORY(miceWatch, "scriblo.input.mice")

namespace {

template <class Object, auto unref>
using UdevPointer = std::unique_ptr<Object, std::integral_constant<decltype(unref), unref>>;

bool propertyIs(udev_device* device, const char* key, std::string_view wanted)
{
    const char* value = udev_device_get_property_value(device, key);
    return value && wanted == value;
}

// Pointing devices that are not keyboards too: a keyboard's node would carry keystrokes,
// which Scriblo has no business reading. The node, or nothing.
const char* mouseNode(udev_device* device)
{
    const char* node = udev_device_get_devnode(device);
    const char* name = udev_device_get_sysname(device);
    if (!node || !name || std::string_view(name).rfind("event", 0) != 0)
        return nullptr;
    if (!propertyIs(device, "ID_INPUT_MOUSE", "1") || propertyIs(device, "ID_INPUT_KEYBOARD", "1"))
        return nullptr;
    return node;
}

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
        if (const char* node = device ? mouseNode(device.get()) : nullptr)
            nodes.emplace_back(node);
    }
    return nodes;
}

}

EvdevSecondaryPresses::EvdevSecondaryPresses() = default;
EvdevSecondaryPresses::~EvdevSecondaryPresses() = default;

Expected<std::string> EvdevSecondaryPresses::start(Handler handler)
{
    m_handler = std::move(handler);
    // Listening first, so a mouse plugged in during the listing is not missed.
    m_monitor = std::make_unique<UdevMonitor>(std::vector<std::string> { "input" },
                                              [this](udev_device* device) { deviceAnnounced(device); });
    auto nodes = mouseNodes();
    std::string refusal;
    for (const auto& node : nodes) {
        if (auto opened = open(node); !opened)
            refusal = opened.error();
    }
    // With no mouse now, one plugged in later is still picked up.
    if (nodes.empty())
        return Failure { "no mouse found yet (a Wayland session is watched through the mice's device files)" };
    if (m_mice.empty())
        return Failure { "cannot read any mouse (" + refusal +
                         "); install the udev rule 70-scriblo-touchpad.rules and log in again" };
    return std::to_string(m_mice.size()) + (m_mice.size() == 1 ? " mouse" : " mice") + " read directly (Wayland session)";
}

Expected<Done> EvdevSecondaryPresses::open(const std::string& node)
{
    auto mouse = EvdevMouse::open(node, m_handler);
    if (!mouse)
        return Failure { mouse.error() };
    m_mice[node] = std::move(*mouse);
    return Done {};
}

void EvdevSecondaryPresses::deviceAnnounced(udev_device* device)
{
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    if (!action || !node)
        return;
    std::string_view what(action);
    // A reconnected Bluetooth mouse comes back under a new node; an unplugged one's
    // node is gone for good.
    if (what == "remove")
        m_mice.erase(node);
    else if (what == "add" && mouseNode(device)) {
        if (auto opened = open(node); !opened)
            qCWarning(miceWatch).noquote() << "A mouse came, but its presses cannot be watched:" << QString::fromStdString(opened.error());
    }
}

}
