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
};

}
