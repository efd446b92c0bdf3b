#pragma once

namespace scriblo {

// Whether the eight-lane AVX2 code paths, built in files of their own, may run here.
inline bool supportsAvx2()
{
#if defined(SCRIBLO_AVX2_KERNEL)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

}
