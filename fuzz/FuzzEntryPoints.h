#pragma once

#include <span>
#include <string_view>

namespace scriblo::FuzzEntryPoints {

// Feeds bytes to one parser of outside data the way the program does. False when the
// result breaks the parser's own promise; a crash, a hang or an escaping exception is a
// finding too.
using Feed = bool (*)(std::string_view bytes);

struct Target {
    const char* name;
    Feed feed;
};

// Every parser of outside data, named as its fuzzer (fuzz_NAME) and its corpus folder.
std::span<const Target> targets();

}
