#pragma once

#include "app/commands/CommandLine.h"
#include "app/commands/CommandServices.h"

#include <memory>

namespace scriblo {

class LaunchableCatalogue;

// `scriblo targets …`: list the launch targets, or launch one by its identity.
class TargetsCommand {
public:
    static const char usage[];
    static int run(CommandLine& commandLine, const CommandServices& services);
    // Every list read from the desktop; what could not be read is said on stderr.
    static std::unique_ptr<LaunchableCatalogue> fetchedCatalogue();
};

}
