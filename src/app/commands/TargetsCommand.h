#pragma once

#include "app/commands/CommandLine.h"

#include <memory>

namespace scriblo {

class LaunchableCatalogue;

// `scriblo targets …`: list the launch targets, or launch one by its identity.
class TargetsCommand {
public:
    static const char usage[];
    static int run(CommandLine& commandLine);
    // Every list read from the desktop; what could not be read is said on stderr.
    static std::unique_ptr<LaunchableCatalogue> fetchedCatalogue();
};

}
