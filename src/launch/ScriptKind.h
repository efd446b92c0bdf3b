#pragma once

#include "launch/TargetKind.h"

namespace scriblo::ScriptKind {

// The built-in scripts and the user's own, identified by their absolute paths.
TargetKind kind();

}
