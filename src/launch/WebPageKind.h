#pragma once

#include "launch/TargetKind.h"

namespace scriblo::WebPageKind {

// The pages of the installed browsers' bookmarks bars, "<browser id>:<address>".
TargetKind kind();

}
