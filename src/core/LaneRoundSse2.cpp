#include "core/LaneRound.h"

#ifdef __SSE2__
#include "core/LaneRoundKernel.h"

#include <emmintrin.h>

namespace scriblo {

namespace {

struct Sse2Lanes {
    using Floats = __m128;
    static constexpr int32_t width = 4;

    static Floats load(const float* at) { return _mm_loadu_ps(at); }
    static void store(float* at, Floats value) { _mm_storeu_ps(at, value); }
    static Floats broadcast(float value) { return _mm_set1_ps(value); }
    static Floats zero() { return _mm_setzero_ps(); }
    static Floats add(Floats a, Floats b) { return _mm_add_ps(a, b); }
    static Floats subtract(Floats a, Floats b) { return _mm_sub_ps(a, b); }
    static Floats multiply(Floats a, Floats b) { return _mm_mul_ps(a, b); }
    static Floats maximum(Floats a, Floats b) { return _mm_max_ps(a, b); }
    static Floats squareRoot(Floats value) { return _mm_sqrt_ps(value); }
    static Floats truncate(Floats value) { return _mm_cvtepi32_ps(_mm_cvttps_epi32(value)); }
    static Floats below(const int32_t* counts, int32_t i)
    {
        __m128i limits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(counts));
        return _mm_castsi128_ps(_mm_cmpgt_epi32(limits, _mm_set1_epi32(i)));
    }
    static Floats keep(Floats value, Floats mask) { return _mm_and_ps(value, mask); }
    // NaN counts as not below.
    static Floats notBelowEach(Floats value, float limit) { return _mm_cmpnlt_ps(value, _mm_set1_ps(limit)); }
    static Floats either(Floats a, Floats b) { return _mm_or_ps(a, b); }
    static Floats absolute(Floats value) { return _mm_andnot_ps(_mm_set1_ps(-0.0f), value); }
    static uint32_t bits(Floats mask) { return uint32_t(_mm_movemask_ps(mask)); }
    static bool anySet(Floats mask) { return bits(mask) != 0; }
    static float total(Floats value)
    {
        Floats half = _mm_add_ps(value, _mm_movehl_ps(value, value));
        return _mm_cvtss_f32(_mm_add_ss(half, _mm_shuffle_ps(half, half, 1)));
    }
};

}

void evaluateLaneRoundSse2(LaneRound& round)
{
    lanekernel::evaluate<Sse2Lanes>(round);
}

void boundDistanceSse2(DistanceBound& bound)
{
    lanekernel::bound<Sse2Lanes>(bound);
}

}
#endif
