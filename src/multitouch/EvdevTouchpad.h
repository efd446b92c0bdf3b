#pragma once

#include "multitouch/MTDevice.h"

#include <atomic>
#include <thread>

struct libevdev;

namespace scriblo {

class TouchpadDecoder;

// A live kernel touchpad read through libevdev. While started, a reader thread sleeps in
// poll() until the device or a stop request wakes it, so an idle touchpad costs no CPU.
class EvdevTouchpad final : public MTDevice {
public:
    EvdevTouchpad(std::string path, std::string name, uint16_t bus);
    ~EvdevTouchpad() override;

    std::string path() const override { return m_path; }
    TouchpadDescription description() const override;
    bool isReadable() const override;
    std::optional<bool> isBuiltIn() const override;

    bool start() override;
    void stop() override;
    bool setGrabbed(bool grabbed) override;

    static TouchpadDescription describe(const libevdev* device);

private:
    void read();
    void primeDecoder(TouchpadDecoder& decoder) const;
    bool drainEvents(TouchpadDecoder& decoder);
    void closeDevice();

    std::string m_path;
    std::string m_name;
    uint16_t m_bus;
    int m_fd = -1;
    int m_wakeFd = -1;
    libevdev* m_device = nullptr;
    std::thread m_reader;
};

}
