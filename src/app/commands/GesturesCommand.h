#pragma once

#include "app/commands/CommandLine.h"
#include "app/commands/CommandServices.h"

namespace scriblo {

// `scriblo gestures …`: list, import, export, recognize and delete stored gestures.
class GesturesCommand {
public:
    static const char usage[];
    static int run(CommandLine& commandLine, const CommandServices& services);
};

}
