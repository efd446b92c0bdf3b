#include "platform/EvdevMouse.h"

#include <QSocketNotifier>

#include <libevdev/libevdev.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace scriblo {

namespace {

std::chrono::steady_clock::time_point steadyTime(const timeval& time)
{
    // The node reports on CLOCK_MONOTONIC (set at open), which is the steady clock's own.
    auto sinceBoot = std::chrono::seconds(time.tv_sec) + std::chrono::microseconds(time.tv_usec);
    return std::chrono::steady_clock::time_point(std::chrono::duration_cast<std::chrono::steady_clock::duration>(sinceBoot));
}

}

Expected<std::unique_ptr<EvdevMouse>> EvdevMouse::open(const std::string& path, SecondaryPresses::Handler handler)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure { path + ": " + std::strerror(errno) };
    libevdev* device = nullptr;
    if (int error = libevdev_new_from_fd(fd, &device); error < 0) {
        ::close(fd);
        return Failure { path + ": " + std::strerror(-error) };
    }
    libevdev_set_clock_id(device, CLOCK_MONOTONIC);
    return std::unique_ptr<EvdevMouse>(new EvdevMouse(fd, device, std::move(handler)));
}

EvdevMouse::EvdevMouse(int fd, libevdev* device, SecondaryPresses::Handler handler)
    : m_fd(fd)
    , m_device(device)
    , m_notifier(new QSocketNotifier(fd, QSocketNotifier::Read, this))
    , m_handler(std::move(handler))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &EvdevMouse::readEvents);
}

EvdevMouse::~EvdevMouse()
{
    delete m_notifier;
    libevdev_free(m_device);
    ::close(m_fd);
}

void EvdevMouse::readEvents()
{
    input_event event;
    unsigned flags = LIBEVDEV_READ_FLAG_NORMAL;
    for (;;) {
        int status = libevdev_next_event(m_device, flags, &event);
        if (status == LIBEVDEV_READ_STATUS_SYNC) {
            // Events were dropped: catch up on the state, which reports no new presses.
            flags = LIBEVDEV_READ_FLAG_SYNC;
            continue;
        }
        if (status != LIBEVDEV_READ_STATUS_SUCCESS) {
            if (status == -EAGAIN && flags == LIBEVDEV_READ_FLAG_SYNC) {
                flags = LIBEVDEV_READ_FLAG_NORMAL;
                continue;
            }
            // An unplugged mouse reports ENODEV for good; stop listening to it.
            if (status != -EAGAIN)
                m_notifier->setEnabled(false);
            return;
        }
        if (flags == LIBEVDEV_READ_FLAG_NORMAL && event.type == EV_KEY && event.code == BTN_RIGHT && event.value == 1)
            m_handler(steadyTime(event.time));
    }
}

}
