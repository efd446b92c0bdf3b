#pragma once

#include <filesystem>

namespace scriblo::BuiltInScripts {

// Where the scripts that ship with Scriblo are. In order: $SCRIBLO_BUILTIN_SCRIPTS
// when set; `share/scriblo/Scripts` beside the running program's `bin` folder when it
// exists (an installed copy, wherever it was installed); else the source tree's
// `data/scripts`, so an uninstalled build lists them too.
std::filesystem::path folder();

}
