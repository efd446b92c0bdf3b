#include "launch/TargetNameCache.h"

#include "core/Utf8.h"
#include "files/SafeFile.h"
#include "launch/LaunchableCatalogue.h"
#include "platform/XdgPaths.h"

#include <nlohmann/json.hpp>

#include <memory>

namespace scriblo {

namespace {

// A full store's identities with their names come to a few MiB at most.
constexpr size_t maximumFileSize = size_t(16) << 20;

TargetNameCache::Names read(const std::filesystem::path& file)
{
    TargetNameCache::Names names;
    auto text = SafeFile::readIfExists(file, maximumFileSize);
    if (!text || !*text)
        return names;
    auto document = nlohmann::json::parse(**text, nullptr, false);
    if (!document.is_object())
        return names;
    for (const auto& [identity, name] : document.items()) {
        if (name.is_string())
            names.emplace(identity, name.get<std::string>());
    }
    return names;
}

void write(const std::filesystem::path& file, const TargetNameCache::Names& names)
{
    nlohmann::json document = nlohmann::json::object();
    for (const auto& [identity, name] : names)
        document[identity] = name;
    // A cache that cannot be written only means the names are not known next time.
    [[maybe_unused]] auto written = SafeFile::writeAtomically(file, document.dump(1) + "\n");
}

}

TargetNameCache::TargetNameCache(std::filesystem::path file)
    : m_file(std::move(file))
{
}

std::filesystem::path TargetNameCache::standardPath()
{
    return XdgPaths::cacheHome() / "scriblo/target-names.json";
}

void TargetNameCache::load()
{
    auto names = std::make_shared<Names>();
    run([names, file = m_file] { *names = read(file); },
        [this, names] {
            m_names = std::move(*names);
            m_loaded = true;
        });
}

void TargetNameCache::learn(const GestureRecognizer::GestureList& stored, const LaunchableCatalogue& catalogue)
{
    if (!m_loaded)
        return;
    auto names = learned(m_names, stored, catalogue);
    if (names == m_names)
        return;
    m_names = names;
    run([names = std::move(names), file = m_file] { write(file, names); }, [] { });
}

TargetNameCache::Names TargetNameCache::learned(const Names& known, const GestureRecognizer::GestureList& stored,
                                                const LaunchableCatalogue& catalogue)
{
    Names names;
    for (const auto& gesture : stored) {
        const std::string& identity = gesture->identity();
        // The file is JSON, which holds only well-formed text; such an identity is shown
        // as it is, as before.
        if (!isValidUtf8(identity))
            continue;
        auto target = catalogue.findLaunchableWithId(identity);
        if (target && isValidUtf8(target->displayName()))
            names[identity] = target->displayName();
        else if (auto earlier = known.find(identity); earlier != known.end())
            names.insert(*earlier);
    }
    return names;
}

void TargetNameCache::run(std::function<void()> work, std::function<void()> done)
{
    if (m_queue)
        return m_queue->queue(std::move(work), std::move(done));
    work();
    done();
}

}
