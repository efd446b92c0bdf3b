#include "launch/BuiltInScripts.h"

#include <cstdlib>

namespace scriblo::BuiltInScripts {

std::filesystem::path folder()
{
    if (const char* overridden = std::getenv("SCRIBLO_BUILTIN_SCRIPTS"); overridden && *overridden)
        return overridden;
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        auto installed = program.parent_path().parent_path() / "share/scriblo/Scripts";
        if (std::filesystem::is_directory(installed, error))
            return installed;
    }
    return SCRIBLO_SOURCE_SCRIPTS_DIR;
}

}
