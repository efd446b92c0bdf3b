#pragma once

#include "core/RemovedGestures.h"

#include <filesystem>

namespace scriblo {

// The file that keeps gestures removed because their targets are gone, in the very form
// `scriblo gestures import` reads, so that one command brings them back. Each gesture is
// merged into what the file holds (a later one of the same identity replaces the earlier)
// and the whole is written to a temporary file, synced and renamed over the old one. A
// file that cannot be read as gestures is left alone, and nothing is kept in it.
class RemovedGesturesFile final : public RemovedGestures {
public:
    explicit RemovedGesturesFile(std::filesystem::path path);

    // $XDG_DATA_HOME/Scriblo/removed-gestures.json
    static std::filesystem::path standardPath();

    Expected<std::string> keep(const Gesture& gesture) override;

private:
    const std::filesystem::path m_path;
};

}
