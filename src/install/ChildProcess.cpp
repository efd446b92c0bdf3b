#include "install/ChildProcess.h"

#include <array>
#include <cerrno>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace scriblo::ChildProcess {

namespace {

constexpr std::array appImageVariables { "APPIMAGE=", "APPDIR=", "ARGV0=", "OWD=" };

std::vector<char*> pointers(const std::vector<std::string>& arguments)
{
    std::vector<char*> result;
    for (const auto& argument : arguments)
        result.push_back(const_cast<char*>(argument.c_str()));
    result.push_back(nullptr);
    return result;
}

std::vector<char*> environmentWithoutAppImage()
{
    std::vector<char*> result;
    for (char** variable = environ; *variable; ++variable) {
        std::string_view text(*variable);
        bool appImage = false;
        for (std::string_view name : appImageVariables)
            appImage = appImage || text.starts_with(name);
        if (!appImage)
            result.push_back(*variable);
    }
    result.push_back(nullptr);
    return result;
}

std::optional<pid_t> spawn(const std::vector<std::string>& arguments, short flags, char** environment)
{
    if (arguments.empty())
        return std::nullopt;
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, flags);
    auto argv = pointers(arguments);
    pid_t child = 0;
    int failed = posix_spawn(&child, argv[0], nullptr, &attributes, argv.data(), environment);
    posix_spawnattr_destroy(&attributes);
    return failed ? std::nullopt : std::optional<pid_t>(child);
}

}

std::optional<int> runAndWait(const std::vector<std::string>& arguments)
{
    auto child = spawn(arguments, 0, environ);
    if (!child)
        return std::nullopt;
    int status = 0;
    while (waitpid(*child, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
}

bool startDetached(const std::vector<std::string>& arguments)
{
    auto environment = environmentWithoutAppImage();
    return spawn(arguments, POSIX_SPAWN_SETSID, environment.data()).has_value();
}

}
