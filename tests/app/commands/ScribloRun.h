#pragma once

#include "files/SafeFile.h"
#include "support/TemporaryFolderTest.h"

#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace scriblo::testing {

struct ScribloRun {
    int status;
    std::string out;
    std::string err;

    // Starts the real program through the shell, as users' scripts do, with what it writes
    // caught in files of `folder` named for `name`; `before` runs in the same shell first (a
    // variable, a limit, or the start of a pipe into the program). The process started is
    // the program's own, so that a test can wait for it or kill it.
    static pid_t start(const std::filesystem::path& folder, const std::string& arguments, const std::string& before = "",
                       const std::string& name = "run")
    {
        std::string command = before + " exec '" SCRIBLO_BINARY_DIR "/scriblo' " + arguments + " >'" + (folder / (name + ".out")).string()
            + "' 2>'" + (folder / (name + ".err")).string() + "'";
        const char* argv[] = { "/bin/sh", "-c", command.c_str(), nullptr };
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ), 0);
        return pid;
    }

    // A program ended by a signal has the status the shell gives it, 128 and the signal.
    static ScribloRun finish(pid_t pid, const std::filesystem::path& folder, const std::string& name = "run")
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return { WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                 *SafeFile::read(folder / (name + ".out"), 1 << 20), *SafeFile::read(folder / (name + ".err"), 1 << 20) };
    }

    static ScribloRun of(const std::filesystem::path& folder, const std::string& arguments, const std::string& before = "")
    {
        return finish(start(folder, arguments, before), folder);
    }
};

// A fixture whose folder holds the inputs handed to the program.
class CommandFolderTest : public TemporaryFolderTest {
protected:
    std::filesystem::path file(const std::string& name, const std::string& contents)
    {
        std::filesystem::path path = m_folder / name;
        EXPECT_TRUE(SafeFile::writeAtomically(path, contents));
        return path;
    }
};

// A stroke of a gestures file: `count` points from (x0, y0), `dx` apart and bending by `dy`.
inline std::string strokeJson(float x0, float y0, float dx, float dy, int count)
{
    std::string text = "[";
    for (int i = 0; i < count; ++i)
        text += (i ? ",[" : "[") + std::to_string(x0 + dx * float(i)) + "," + std::to_string(y0 + dy * float(i) * float(i) / 20) + "]";
    return text + "]";
}

// A gestures file of one single-stroke gesture of `points` points for each identity,
// each bent a little differently from the one before.
inline std::string gesturesJson(const std::vector<std::string>& identities, int points = 12)
{
    std::string text = R"({"gestures":[)";
    for (size_t i = 0; i < identities.size(); ++i)
        text += std::string(i ? "," : "") + R"({"identity":")" + identities[i] + R"(","strokes":[)"
            + strokeJson(float(i % 50), 0, 9, float(i % 7), points) + "]}";
    return text + "]}";
}

// `count` identities: PREFIX0, PREFIX1, …
inline std::vector<std::string> numbered(const std::string& prefix, int count)
{
    std::vector<std::string> identities;
    for (int i = 0; i < count; ++i)
        identities.push_back(prefix + std::to_string(i));
    return identities;
}

}
