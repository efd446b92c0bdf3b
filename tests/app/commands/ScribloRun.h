#pragma once

#include "files/SafeFile.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace scriblo::testing {

struct ScribloRun {
    int status;
    std::string out;
    std::string err;

    // Runs the real program through the shell, as users' scripts do, with what it writes
    // caught in files of `folder`; `before` runs in the same shell first (a variable, a
    // limit, or the start of a pipe into the program).
    static ScribloRun of(const std::filesystem::path& folder, const std::string& arguments, const std::string& before = "")
    {
        std::string command = before + " '" SCRIBLO_BINARY_DIR "/scriblo' " + arguments + " >'" + (folder / "out").string()
            + "' 2>'" + (folder / "err").string() + "'";
        int status = std::system(command.c_str());
        return { WEXITSTATUS(status), *SafeFile::read(folder / "out", 1 << 20), *SafeFile::read(folder / "err", 1 << 20) };
    }
};

}
