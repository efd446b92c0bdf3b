#pragma once

#include "app/commands/CommandLine.h"
#include "app/commands/CommandServices.h"

namespace scriblo {

// `scriblo settings …`: show the user's settings, or change one within the limits that
// the setup window keeps.
class SettingsCommand {
public:
    static const char usage[];
    static int run(CommandLine& commandLine, const CommandServices& services);
};

}
