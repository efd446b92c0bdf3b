#include "app/RemovedGesturesFile.h"

#include "app/commands/CommandLine.h"
#include "app/commands/GestureJson.h"
#include "files/SafeFile.h"
#include "platform/XdgPaths.h"

#include <algorithm>

namespace scriblo {

namespace {

// What `gestures import` reads: a file it would refuse could never be taken back.
constexpr size_t maximumFileSize = size_t(64) << 20;

Expected<std::vector<GestureJson::Entry>> keptEntries(const std::filesystem::path& path)
{
    auto text = SafeFile::readIfExists(path, maximumFileSize);
    if (!text)
        return Failure { path.string() + ": " + text.error() };
    if (!*text)
        return std::vector<GestureJson::Entry>();
    try {
        return GestureJson::gesturesFromJson(GestureJson::parse(**text, path.string()), path.string());
    } catch (const InputError& error) {
        return Failure { std::string(error.what()) + "; it is left as it is" };
    }
}

}

RemovedGesturesFile::RemovedGesturesFile(std::filesystem::path path)
    : m_path(std::move(path))
{
}

std::filesystem::path RemovedGesturesFile::standardPath()
{
    return XdgPaths::dataHome() / "Scriblo/removed-gestures.json";
}

Expected<std::string> RemovedGesturesFile::keep(const Gesture& gesture)
{
    auto entries = keptEntries(m_path);
    if (!entries)
        return Failure { entries.error() };
    std::vector<std::shared_ptr<const Gesture>> gestures;
    for (auto& entry : *entries) {
        if (entry.identity != gesture.identity())
            gestures.push_back(std::make_shared<const Gesture>(std::move(entry).gesture()));
    }
    gestures.push_back(std::make_shared<const Gesture>(gesture.copy()));
    if (auto written = SafeFile::writeAtomically(m_path, GestureJson::gesturesToJson(gestures).dump(1) + "\n"); !written)
        return Failure { m_path.string() + ": " + written.error() };
    return m_path.string();
}

}
