#pragma once

#include "app/CommandLine.h"

namespace scriblo {

// `scriblo targets …`: list the launch targets, or launch one by its identity.
class TargetsCommand {
public:
    static const char usage[];
    static int run(CommandLine& commandLine);
};

}
