#pragma once

#include "base/WorkQueue.h"
#include "core/GestureRecognizer.h"

#include <filesystem>
#include <map>
#include <string>

namespace scriblo {

class LaunchableCatalogue;

// The names targets had when they were last seen, so that a gesture whose target has
// gone out of reach can still be shown under a name people know. The store keeps only
// identities; a name kept beside each gesture there would have to be kept in step by
// every writer, so this is a cache of its own, and only advisory: a missing, damaged or
// unwritable file means no name is known, never a failure.
class TargetNameCache {
public:
    using Names = std::map<std::string, std::string>;

    explicit TargetNameCache(std::filesystem::path file);

    // $XDG_CACHE_HOME/scriblo/target-names.json
    static std::filesystem::path standardPath();

    // Reading and writing the file happen on `queue`; without one, at once.
    void writeOn(WorkQueue& queue) { m_queue = &queue; }

    // Reads the file; nothing is learned before it has been read, or what it knows of
    // the targets out of reach now would be written over.
    void load();

    const Names& names() const { return m_names; }

    // Takes the name the catalogue gives each stored gesture's target now, keeps the
    // earlier name of a target it lacks, and forgets identities no longer stored; the file
    // is written only when that changed something.
    void learn(const GestureRecognizer::GestureList& stored, const LaunchableCatalogue& catalogue);

    static Names learned(const Names& known, const GestureRecognizer::GestureList& stored,
                         const LaunchableCatalogue& catalogue);

private:
    void run(std::function<void()> work, std::function<void()> done);

    const std::filesystem::path m_file;
    WorkQueue* m_queue = nullptr;
    Names m_names;
    bool m_loaded = false;
};

}
