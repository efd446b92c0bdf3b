#pragma once

#include "base/Expected.h"
#include "multitouch/InputEvent.h"
#include "multitouch/TouchpadDescription.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

// A device recording in the evemu text format: the description lines (N: I: P: B: A:)
// and the event lines (E:), either or both, as evemu-describe and evemu-record write them.
struct EvemuRecording {
    std::string source;
    std::optional<TouchpadDescription> description;
    std::vector<InputEvent> events;

    static Expected<EvemuRecording> parse(std::istream& input, const std::string& source);
    static Expected<EvemuRecording> load(const std::string& path);
    // Loads several files; a description-only file followed by events-only files makes
    // one recording, so split recordings play as one device.
    static Expected<std::vector<EvemuRecording>> loadAll(const std::vector<std::string>& paths);
};

}
