#include "files/HugePages.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace scriblo {

namespace {

constexpr const char* tunables = "GLIBC_TUNABLES";
constexpr std::string_view heapTunable = "glibc.malloc.hugetlb";
// Set only in a restarted process: what GLIBC_TUNABLES was before, empty when unset.
constexpr const char* restartedFrom = "SCRIBLO_RESTARTED_FROM_TUNABLES";

// Run by its own path rather than by /proc/self/exe, which would rename the process
// "exe" for ps, top and pkill.
std::string ownFile()
{
    char path[4096];
    ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    return length > 0 && size_t(length) < sizeof path ? std::string(path, size_t(length)) : std::string();
}

}

void HugePages::advise(void* start, size_t length)
{
    constexpr uintptr_t hugePage = uintptr_t(2) << 20;
    const uintptr_t first = (reinterpret_cast<uintptr_t>(start) + hugePage - 1) & ~(hugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(start) + length) & ~(hugePage - 1);
    // Without transparent huge pages the advice is refused, and the buffer is mapped as
    // before: nothing to report.
    if (end > first)
        (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

void HugePages::restartWithAdvisedHeap(char** argv, const char* program)
{
    const char* current = ::getenv(tunables);
    const std::string original = current ? current : "";
    if (original.find(heapTunable) != std::string::npos)
        return;
    const std::string file = program ? program : ownFile();
    if (file.empty())
        return;
    std::string advised = original;
    advised += (advised.empty() ? "" : ":") + std::string(heapTunable) + "=1";
    ::setenv(restartedFrom, original.c_str(), 1);
    ::setenv(tunables, advised.c_str(), 1);
    ::execv(file.c_str(), argv);
    settleAfterRestart();
}

bool HugePages::settleAfterRestart()
{
    const char* original = ::getenv(restartedFrom);
    if (!original)
        return false;
    if (*original)
        ::setenv(tunables, original, 1);
    else
        ::unsetenv(tunables);
    ::unsetenv(restartedFrom);
    return true;
}

}
