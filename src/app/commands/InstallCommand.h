#pragma once

#include "app/commands/CommandLine.h"
#include "app/commands/CommandServices.h"

namespace scriblo {

// `scriblo install move-check [--store FILE] [--answer move|stay|stay-for-good]`: runs
// the offer to move an AppImage into an Applications folder, exactly as a start does.
// `--answer` stands in for the user at the offer, for tests and scripted installs; the
// rest of the check is the real one. Not listed in the help.
class InstallCommand {
public:
    static const char usage[];
    static int run(CommandLine& commandLine, const CommandServices& services);
};

}
