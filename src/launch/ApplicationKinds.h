#pragma once

#include "launch/TargetKind.h"

// The desktop's applications, identified by desktop file ID, on three shelves: ordinary
// applications, utilities and system applications. One rule places each entry on
// exactly one of them.
namespace scriblo::ApplicationKinds {

TargetKind normal();
TargetKind utilities();
// The default file manager leads this list, as the desktop's own "Files" does.
TargetKind system();

}
