#pragma once

#include "app/commands/CommandLine.h"
#include "app/commands/CommandServices.h"

namespace scriblo {

// `scriblo touch …`: list the touchpads, print their contact frames live, or play
// recordings through the same decoder.
class TouchCommand {
public:
    static const char usage[];
    static int run(CommandLine& commandLine, const CommandServices& services);
};

}
