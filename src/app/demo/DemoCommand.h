#pragma once

#include "app/commands/CommandLine.h"
#include "app/commands/CommandServices.h"

namespace scriblo {

// `scriblo demo`: the real application on a private X server with a throw-away home,
// sample gestures bound to built-in scripts that are never run, a replayed touchpad
// that draws one of them, and the setup window driven once; it tells each step and
// keeps screenshots. Runs on any machine with Xvfb and dbus-daemon, display or none.
class DemoCommand {
public:
    static const char usage[];
    static int run(CommandLine& commandLine, const CommandServices& services);
};

}
