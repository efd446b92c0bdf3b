#pragma once

#include <cstddef>

namespace scriblo {

// A full store is read and decoded into buffers of about a hundred megabytes each, and
// the kernel maps fresh memory a 4 KiB page and a fault at a time: on a virtual machine
// that alone takes longer than the decoding. Advised before its first write, such a
// buffer is mapped 2 MiB at a time wherever the kernel has huge pages to give.
class HugePages {
public:
    // Advises the whole huge pages inside [start, start + length); the bytes around them
    // may belong to other allocations and are left alone, so a small buffer gets none.
    static void advise(void* start, size_t length);

    // The copies libplist makes of a full store's archive, and the text it grows when
    // writing one, are beyond advise(). glibc's allocator advises everything it maps when
    // told so as a process starts (glibc.malloc.hugetlb=1), and only a new start can tell
    // it. Runs `program` (this process's own file unless a test names another) in this
    // process's place with that setting, unless the user chose a setting of their own;
    // returns only when it could not.
    static void restartWithAdvisedHeap(char** argv, const char* program = nullptr);
    // Called first in every process that may have been restarted: puts the environment
    // back as the user had it, so that what the process launches is not told to use huge
    // pages. Whether this process is the restarted one, which must not restart again.
    static bool settleAfterRestart();
};

}
