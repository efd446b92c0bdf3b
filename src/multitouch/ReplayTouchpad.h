#pragma once

#include "multitouch/EvemuRecording.h"
#include "multitouch/MTDevice.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <thread>

namespace scriblo {

// A touchpad played from a recording, through the same decoder as a live device, so
// that the program can be driven where no touchpad exists.
class ReplayTouchpad final : public MTDevice {
public:
    enum class Pace { Recorded, AsFastAsPossible };

    ReplayTouchpad(std::shared_ptr<const EvemuRecording> recording, Pace pace);
    ~ReplayTouchpad() override;

    // Devices for the recordings in a colon-separated list of files; recordings that
    // cannot be loaded are reported once and left out. Files are read once per process.
    static std::vector<MTDeviceRef> createList(const std::string& files, Pace pace);

    std::string path() const override { return m_recording->source; }
    TouchpadDescription description() const override { return *m_recording->description; }
    bool isReadable() const override { return true; }
    // A recording stands in for a touchpad wherever it was made, so it never counts as
    // built into this machine (its frames are never dropped for a closed lid).
    std::optional<bool> isBuiltIn() const override { return std::nullopt; }

    bool start() override;
    void stop() override;
    bool setGrabbed(bool) override { return true; }

    // Plays the whole recording on the calling thread, as fast as possible.
    void playNow();

private:
    void play();
    bool waitUntilDue(double recordedOffset, std::chrono::steady_clock::time_point began);

    std::shared_ptr<const EvemuRecording> m_recording;
    Pace m_pace;
    std::thread m_player;
    std::mutex m_stopMutex;
    std::condition_variable m_stopCondition;
    bool m_stopRequested = false;
};

}
