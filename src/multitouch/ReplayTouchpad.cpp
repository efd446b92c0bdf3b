#include "multitouch/ReplayTouchpad.h"

#include "multitouch/TouchpadDecoder.h"

#include <QLoggingCategory>

#include <algorithm>
#include <map>
#include <sstream>

namespace scriblo {

Q_LOGGING_CATEGORY(touchpadReplay, "scriblo.touchpad.replay")

namespace {

std::vector<std::string> splitFiles(const std::string& files)
{
    std::vector<std::string> paths;
    std::istringstream list(files);
    for (std::string path; std::getline(list, path, ':');) {
        if (!path.empty())
            paths.push_back(path);
    }
    return paths;
}

std::vector<std::shared_ptr<const EvemuRecording>> loadOnce(const std::string& files)
{
    static std::mutex mutex;
    static std::map<std::string, std::vector<std::shared_ptr<const EvemuRecording>>> loaded;
    std::lock_guard lock(mutex);
    if (auto found = loaded.find(files); found != loaded.end())
        return found->second;
    auto& recordings = loaded[files];
    auto result = EvemuRecording::loadAll(splitFiles(files));
    if (!result) {
        qCWarning(touchpadReplay).noquote() << "Cannot replay:" << QString::fromStdString(result.error());
        return recordings;
    }
    for (auto& recording : result.value()) {
        if (!recording.description->isTouchpad()) {
            qCWarning(touchpadReplay).noquote() << "Not a touchpad, left out:" << QString::fromStdString(recording.source);
            continue;
        }
        recordings.push_back(std::make_shared<const EvemuRecording>(std::move(recording)));
    }
    return recordings;
}

}

ReplayTouchpad::ReplayTouchpad(std::shared_ptr<const EvemuRecording> recording, Pace pace)
    : m_recording(std::move(recording))
    , m_pace(pace)
{
}

ReplayTouchpad::~ReplayTouchpad()
{
    stop();
}

std::vector<MTDeviceRef> ReplayTouchpad::createList(const std::string& files, Pace pace)
{
    std::vector<MTDeviceRef> devices;
    for (const auto& recording : loadOnce(files))
        devices.push_back(std::make_shared<ReplayTouchpad>(recording, pace));
    return devices;
}

bool ReplayTouchpad::start()
{
    if (m_player.joinable())
        return true;
    m_stopRequested = false;
    m_player = std::thread([this] { play(); });
    return true;
}

void ReplayTouchpad::stop()
{
    if (!m_player.joinable())
        return;
    {
        std::lock_guard lock(m_stopMutex);
        m_stopRequested = true;
    }
    m_stopCondition.notify_all();
    m_player.join();
}

void ReplayTouchpad::playNow()
{
    m_pace = Pace::AsFastAsPossible;
    play();
}

void ReplayTouchpad::play()
{
    TouchpadDecoder decoder(*m_recording->description);
    auto began = std::chrono::steady_clock::now();
    const auto& events = m_recording->events;
    for (const auto& event : events) {
        if (!waitUntilDue(event.time - events.front().time, began))
            return;
        if (decoder.decode(event))
            deliverFrame(decoder);
    }
}

bool ReplayTouchpad::waitUntilDue(double recordedOffset, std::chrono::steady_clock::time_point began)
{
    std::unique_lock lock(m_stopMutex);
    if (m_pace == Pace::Recorded) {
        // A corrupt timestamp far in the future must not overflow the clock: past some
        // decades the player simply waits for a stop.
        constexpr double longestWait = 1e9;
        auto due = began + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                               std::chrono::duration<double>(std::clamp(recordedOffset, 0.0, longestWait)));
        m_stopCondition.wait_until(lock, due, [this] { return m_stopRequested; });
    }
    return !m_stopRequested;
}

}
