#include "multitouch/EvdevTouchpad.h"

#include "multitouch/TouchpadDecoder.h"

#include <libevdev/libevdev.h>

#include <QLoggingCategory>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

namespace scriblo {

Q_LOGGING_CATEGORY(touchpadDevice, "scriblo.touchpad.device")

namespace {

InputEvent inputEventFrom(const input_event& event)
{
    return { double(event.input_event_sec) + double(event.input_event_usec) / 1e6, event.type, event.code,
             event.value };
}

}

EvdevTouchpad::EvdevTouchpad(std::string path, std::string name, uint16_t bus)
    : m_path(std::move(path))
    , m_name(std::move(name))
    , m_bus(bus)
{
}

EvdevTouchpad::~EvdevTouchpad()
{
    stop();
}

TouchpadDescription EvdevTouchpad::describe(const libevdev* device)
{
    TouchpadDescription description;
    description.name = libevdev_get_name(device);
    description.bus = uint16_t(libevdev_get_id_bustype(device));
    description.vendor = uint16_t(libevdev_get_id_vendor(device));
    description.product = uint16_t(libevdev_get_id_product(device));
    for (unsigned property = 0; property <= INPUT_PROP_MAX; ++property) {
        if (libevdev_has_property(device, property))
            description.properties.insert(uint16_t(property));
    }
    for (unsigned key = 0; key <= KEY_MAX; ++key) {
        if (libevdev_has_event_code(device, EV_KEY, key))
            description.keys.insert(uint16_t(key));
    }
    for (unsigned axis = 0; axis <= ABS_MAX; ++axis) {
        if (const input_absinfo* info = libevdev_get_abs_info(device, axis))
            description.axes[uint16_t(axis)] = { info->minimum, info->maximum, info->resolution };
    }
    return description;
}

TouchpadDescription EvdevTouchpad::description() const
{
    int fd = open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    libevdev* device = nullptr;
    if (fd < 0 || libevdev_new_from_fd(fd, &device) < 0) {
        if (fd >= 0)
            close(fd);
        TouchpadDescription known;
        known.name = m_name;
        known.bus = m_bus;
        return known;
    }
    TouchpadDescription description = describe(device);
    libevdev_free(device);
    close(fd);
    return description;
}

bool EvdevTouchpad::isReadable() const
{
    return access(m_path.c_str(), R_OK) == 0;
}

std::optional<bool> EvdevTouchpad::isBuiltIn() const
{
    return TouchpadDescription::isBuiltInBus(m_bus);
}

bool EvdevTouchpad::start()
{
    if (m_reader.joinable())
        return true;
    m_fd = open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    int status = m_fd < 0 || m_wakeFd < 0 ? -errno : libevdev_new_from_fd(m_fd, &m_device);
    if (status < 0) {
        // libevdev answers with a negative errno and leaves errno alone.
        qCWarning(touchpadDevice).noquote() << "Cannot read" << QString::fromStdString(m_path) << ":" << strerror(-status);
        closeDevice();
        return false;
    }
    m_reader = std::thread([this] { read(); });
    return true;
}

void EvdevTouchpad::stop()
{
    if (m_reader.joinable()) {
        uint64_t one = 1;
        if (write(m_wakeFd, &one, sizeof one) != sizeof one)
            qCWarning(touchpadDevice) << "Cannot wake the reader thread";
        m_reader.join();
    }
    closeDevice();
}

void EvdevTouchpad::closeDevice()
{
    if (m_device)
        libevdev_free(m_device);
    m_device = nullptr;
    for (int* fd : { &m_fd, &m_wakeFd }) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
}

bool EvdevTouchpad::setGrabbed(bool grabbed)
{
    // The ioctl goes straight to the descriptor: the libevdev object belongs to the reader.
    return m_fd >= 0 && ioctl(m_fd, EVIOCGRAB, grabbed ? 1 : 0) == 0;
}

void EvdevTouchpad::primeDecoder(TouchpadDecoder& decoder) const
{
    // Fingers already on the pad when reading starts send no new tracking ID, so the
    // decoder learns them from libevdev's state; the first real report shows them.
    for (int slot = 0; slot < libevdev_get_num_slots(m_device); ++slot) {
        decoder.decode({ 0, EV_ABS, ABS_MT_SLOT, slot });
        for (uint16_t axis : { ABS_MT_TRACKING_ID, ABS_MT_POSITION_X, ABS_MT_POSITION_Y, ABS_MT_PRESSURE })
            decoder.decode({ 0, EV_ABS, axis, libevdev_get_slot_value(m_device, unsigned(slot), axis) });
    }
    if (libevdev_get_num_slots(m_device) > 0)
        decoder.decode({ 0, EV_ABS, ABS_MT_SLOT, libevdev_get_current_slot(m_device) });
    for (uint16_t key : { BTN_TOUCH, BTN_TOOL_FINGER, BTN_TOOL_DOUBLETAP, BTN_TOOL_TRIPLETAP, BTN_TOOL_QUADTAP,
                          BTN_TOOL_QUINTTAP })
        decoder.decode({ 0, EV_KEY, key, libevdev_get_event_value(m_device, EV_KEY, key) });
}

void EvdevTouchpad::read()
{
    TouchpadDecoder decoder(describe(m_device));
    primeDecoder(decoder);
    pollfd waits[] = { { m_fd, POLLIN, 0 }, { m_wakeFd, POLLIN, 0 } };
    for (;;) {
        if (poll(waits, 2, -1) < 0 && errno != EINTR)
            return;
        if (waits[1].revents)
            return;
        if (waits[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return; // unplugged: the hardware check notices the missing device
        if ((waits[0].revents & POLLIN) && !drainEvents(decoder))
            return;
    }
}

bool EvdevTouchpad::drainEvents(TouchpadDecoder& decoder)
{
    input_event event;
    unsigned flags = LIBEVDEV_READ_FLAG_NORMAL;
    for (;;) {
        int status = libevdev_next_event(m_device, flags, &event);
        if (status == -EAGAIN) {
            if (flags == LIBEVDEV_READ_FLAG_NORMAL)
                return true;
            flags = LIBEVDEV_READ_FLAG_NORMAL; // resynchronisation complete
            continue;
        }
        if (status < 0)
            return false;
        // After SYN_DROPPED libevdev hands out the differences between its view and the
        // kernel's as events; the decoder applies them like any others.
        if (status == LIBEVDEV_READ_STATUS_SYNC)
            flags = LIBEVDEV_READ_FLAG_SYNC;
        if (decoder.decode(inputEventFrom(event)))
            deliverFrame(decoder);
    }
}

}
