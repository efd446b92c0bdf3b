#include "core/LaneRound.h"

#ifdef __AVX2__
#include "core/LaneRoundKernel.h"

#include <immintrin.h>

namespace scriblo {

namespace {

struct Avx2Lanes {
    using Floats = __m256;
    static constexpr int32_t width = 8;

    static Floats load(const float* at) { return _mm256_loadu_ps(at); }
    static void store(float* at, Floats value) { _mm256_storeu_ps(at, value); }
    static Floats broadcast(float value) { return _mm256_set1_ps(value); }
    static Floats zero() { return _mm256_setzero_ps(); }
    static Floats add(Floats a, Floats b) { return _mm256_add_ps(a, b); }
    static Floats subtract(Floats a, Floats b) { return _mm256_sub_ps(a, b); }
    static Floats multiply(Floats a, Floats b) { return _mm256_mul_ps(a, b); }
    static Floats maximum(Floats a, Floats b) { return _mm256_max_ps(a, b); }
    static Floats squareRoot(Floats value) { return _mm256_sqrt_ps(value); }
    static Floats truncate(Floats value) { return _mm256_cvtepi32_ps(_mm256_cvttps_epi32(value)); }
    static Floats below(const int32_t* counts, int32_t i)
    {
        __m256i limits = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(counts));
        return _mm256_castsi256_ps(_mm256_cmpgt_epi32(limits, _mm256_set1_epi32(i)));
    }
    static Floats keep(Floats value, Floats mask) { return _mm256_and_ps(value, mask); }
    // NaN counts as not below.
    static Floats notBelowEach(Floats value, float limit) { return _mm256_cmp_ps(value, _mm256_set1_ps(limit), _CMP_NLT_UQ); }
    static Floats either(Floats a, Floats b) { return _mm256_or_ps(a, b); }
    static Floats absolute(Floats value) { return _mm256_andnot_ps(_mm256_set1_ps(-0.0f), value); }
    static uint32_t bits(Floats mask) { return uint32_t(_mm256_movemask_ps(mask)); }
    static bool anySet(Floats mask) { return bits(mask) != 0; }
    static float total(Floats value)
    {
        __m128 half = _mm_add_ps(_mm256_castps256_ps128(value), _mm256_extractf128_ps(value, 1));
        half = _mm_add_ps(half, _mm_movehl_ps(half, half));
        return _mm_cvtss_f32(_mm_add_ss(half, _mm_shuffle_ps(half, half, 1)));
    }
};

}

void evaluateLaneRoundAvx2(LaneRound& round)
{
    lanekernel::evaluate<Avx2Lanes>(round);
}

void boundDistanceAvx2(DistanceBound& bound)
{
    lanekernel::bound<Avx2Lanes>(bound);
}

}
#endif
