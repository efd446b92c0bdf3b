#include "files/HugePages.h"

#include <cstdint>
#include <sys/mman.h>

namespace scriblo {

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

}
