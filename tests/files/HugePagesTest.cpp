#include "files/HugePages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using scriblo::HugePages;

namespace {

constexpr const char* restartedFrom = "SCRIBLO_RESTARTED_FROM_TUNABLES";

void setOrUnset(const char* name, const char* value)
{
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

std::string variable(const char* name)
{
    const char* value = ::getenv(name);
    return value ? std::string(name) + "=" + value : std::string("no ") + name;
}

// What a child that starts as the program does, restarting as `program`, prints: env's
// listing when it restarted, or its own environment afterwards when it did not.
std::string restartIn(const char* program, const char* tunables, const char* marker = nullptr)
{
    int out[2];
    if (::pipe(out) != 0)
        return "no pipe";
    // What this process has printed but not yet written would be the child's to write too.
    std::fflush(stdout);
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        setOrUnset("GLIBC_TUNABLES", tunables);
        setOrUnset(restartedFrom, marker);
        char name[] = "env";
        char* argv[] = { name, nullptr };
        if (!HugePages::settleAfterRestart())
            HugePages::restartWithAdvisedHeap(argv, program);
        std::printf("not restarted\n%s\n%s\n", variable("GLIBC_TUNABLES").c_str(), variable(restartedFrom).c_str());
        std::fflush(stdout);
        ::_exit(0);
    }
    ::close(out[1]);
    std::string printed;
    char buffer[4096];
    for (ssize_t got; (got = ::read(out[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, size_t(got));
    ::close(out[0]);
    ::waitpid(child, nullptr, 0);
    return printed;
}

bool hasLine(const std::string& printed, const std::string& line)
{
    return ("\n" + printed).find("\n" + line + "\n") != std::string::npos;
}

TEST(HugePagesTest, restartsOnceWithTheHeapAdvisedAndKeepsTheUsersTunables)
{
    auto fresh = restartIn("/usr/bin/env", nullptr);
    EXPECT_TRUE(hasLine(fresh, "GLIBC_TUNABLES=glibc.malloc.hugetlb=1")) << fresh;
    EXPECT_TRUE(hasLine(fresh, std::string(restartedFrom) + "=")) << fresh;

    auto tuned = restartIn("/usr/bin/env", "glibc.malloc.arena_max=2");
    EXPECT_TRUE(hasLine(tuned, "GLIBC_TUNABLES=glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1")) << tuned;
    EXPECT_TRUE(hasLine(tuned, std::string(restartedFrom) + "=glibc.malloc.arena_max=2")) << tuned;
}

TEST(HugePagesTest, theRestartedProcessGivesWhatItLaunchesTheUsersEnvironment)
{
    auto unset = restartIn("/usr/bin/env", "glibc.malloc.hugetlb=1", "");
    EXPECT_EQ(unset, "not restarted\nno GLIBC_TUNABLES\nno " + std::string(restartedFrom) + "\n");
    auto kept = restartIn("/usr/bin/env", "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1", "glibc.malloc.arena_max=2");
    EXPECT_EQ(kept, "not restarted\nGLIBC_TUNABLES=glibc.malloc.arena_max=2\nno " + std::string(restartedFrom) + "\n");
}

TEST(HugePagesTest, theUsersOwnHeapSettingOrAFailedStartLeavesTheProcessAsItWas)
{
    auto chosen = restartIn("/usr/bin/env", "glibc.malloc.hugetlb=0");
    EXPECT_EQ(chosen, "not restarted\nGLIBC_TUNABLES=glibc.malloc.hugetlb=0\nno " + std::string(restartedFrom) + "\n");
    auto failed = restartIn("/nonexistent/scriblo", "glibc.malloc.arena_max=2");
    EXPECT_EQ(failed, "not restarted\nGLIBC_TUNABLES=glibc.malloc.arena_max=2\nno " + std::string(restartedFrom) + "\n");
}

}
