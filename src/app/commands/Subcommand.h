#pragma once

#include "app/commands/CommandLine.h"
#include "app/commands/CommandServices.h"

namespace scriblo {

// A group of command-line subcommands (`scriblo gestures …`, `scriblo touch …`).
// Each group lives in its own file pair and is listed in main.cpp.
struct Subcommand {
    const char* name;
    const char* usage;
    int (*run)(CommandLine&, const CommandServices&);
};

}
