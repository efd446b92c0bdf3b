#include "core/ResampleLanes.h"

#include "core/ResampleWalk.h"
#include "core/TemplatePipeline.h"

#include <algorithm>
#include <array>
#include <memory>

#ifdef __AVX2__
#include <immintrin.h>
#endif

namespace scriblo {

#ifdef __AVX2__

namespace {

constexpr int lanes = 8;
constexpr int groups = int(ResampleLanes::width) / lanes;
// Far above the 160 a walk places; a lane that reaches it leaves the walks to the lone
// walk, which knows where to stop.
constexpr int32_t capacity = 2 * pipeline::resampledPointCount;
// Truncated differences under this square exactly; sums of two squares under 2^24 are
// exact, and their float root is the lone walk's distance.
constexpr float smallDifference = 4096.0f;
constexpr float exactSum = 16777216.0f;

// What a step reads of the drawn point it walks to, side by side, so that a lane takes
// it in one load: eight loads and a transposition cost a fraction of four gathers.
struct alignas(16) StepEntry {
    float x;
    float y;
    int32_t id;
    // The segment from this point to the next, for the step after passing it.
    float following;
};

GesturePoint pointOf(const StepEntry& entry)
{
    return GesturePoint(entry.x, entry.y, entry.id);
}

// The walks' drawn points, walk after walk, `stride` entries each: x and y apart, for
// measuring eight segments at once, and side by side for the steps. Then the points they
// place, `capacity` entries each. A lane reads only entries its own walk has written.
struct Walks {
    explicit Walks(size_t stride)
        : x(std::make_unique_for_overwrite<float[]>(ResampleLanes::width * stride))
        , y(std::make_unique_for_overwrite<float[]>(ResampleLanes::width * stride))
        , segments(std::make_unique_for_overwrite<float[]>(ResampleLanes::width * stride))
        , entries(std::make_unique_for_overwrite<StepEntry[]>(ResampleLanes::width * stride))
        , placed(std::make_unique_for_overwrite<GesturePoint[]>(ResampleLanes::width * size_t(capacity)))
    {
    }
    std::unique_ptr<float[]> x;
    std::unique_ptr<float[]> y;
    std::unique_ptr<float[]> segments;
    std::unique_ptr<StepEntry[]> entries;
    std::unique_ptr<GesturePoint[]> placed;
    std::array<int32_t, ResampleLanes::width> placedCounts {};
};

// Eight walks, one a lane, each in the state a lone ResampleWalk would be in.
class LaneWalk {
public:
    LaneWalk(const Walks& walks, int group, const int32_t* bases, const int32_t* counts, const float* intervals)
        : m_group(group)
        , m_base(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bases + group * lanes)))
        , m_count(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(counts + group * lanes)))
        , m_lastIndex(_mm256_sub_epi32(m_count, _mm256_set1_epi32(1)))
        , m_interval(_mm256_loadu_ps(intervals + group * lanes))
        , m_next(_mm256_set1_epi32(1))
        , m_travelled(_mm256_setzero_ps())
        , m_active(_mm256_castsi256_ps(_mm256_set1_epi32(-1)))
    {
        Entries first = load(walks, m_base);
        m_distance = first.following;
        m_previousX = first.x;
        m_previousY = first.y;
        m_previousId = _mm256_castps_si256(first.id);
    }

    bool active() const { return _mm256_movemask_ps(m_active) != 0; }

    // One step of each lane still walking: it places a point or passes a drawn one.
    // False where a lane met a distance the lanes cannot take exactly, or overran.
    [[gnu::always_inline]] bool step(Walks& walks)
    {
        __m256 reached = _mm256_add_ps(m_travelled, m_distance);
        __m256 placing = _mm256_and_ps(_mm256_cmp_ps(reached, m_interval, _CMP_GT_OQ), m_active);
        __m256 passing = _mm256_andnot_ps(placing, m_active);
        // Finished lanes stay on their last drawn point, inside their own entries.
        __m256i at = _mm256_add_epi32(m_base, _mm256_min_epi32(m_next, m_lastIndex));
        Entries next = load(walks, at);
        __m256 nextX = next.x;
        __m256 nextY = next.y;

        // Placing, as the lone walk places and then measures on to the drawn point.
        __m256 t = _mm256_div_ps(_mm256_sub_ps(m_interval, m_travelled), m_distance);
        __m256 placedX = _mm256_add_ps(m_previousX, _mm256_mul_ps(_mm256_sub_ps(nextX, m_previousX), t));
        __m256 placedY = _mm256_add_ps(m_previousY, _mm256_mul_ps(_mm256_sub_ps(nextY, m_previousY), t));
        __m256 dx = _mm256_round_ps(_mm256_sub_ps(nextX, placedX), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
        __m256 dy = _mm256_round_ps(_mm256_sub_ps(nextY, placedY), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
        __m256 sum = _mm256_add_ps(_mm256_mul_ps(dx, dx), _mm256_mul_ps(dy, dy));
        __m256 placedDistance = _mm256_sqrt_ps(sum);
        // NaN differences and sums fail the comparisons, and so count as inexact.
        __m256 exact = _mm256_and_ps(_mm256_cmp_ps(sum, _mm256_set1_ps(exactSum), _CMP_LT_OQ),
                                     _mm256_and_ps(_mm256_cmp_ps(magnitude(dx), _mm256_set1_ps(smallDifference), _CMP_LT_OQ),
                                                   _mm256_cmp_ps(magnitude(dy), _mm256_set1_ps(smallDifference), _CMP_LT_OQ)));
        if (_mm256_movemask_ps(_mm256_andnot_ps(exact, placing)) || !keep(walks, placing, placedX, placedY))
            return false;

        // Passing adds the segment passed and stands on the drawn point reached, as the
        // lone walk's inner loop does.
        __m256i nextId = _mm256_castps_si256(next.id);
        __m256i following = _mm256_add_epi32(m_next, _mm256_set1_epi32(1));
        __m256 finished = _mm256_and_ps(passing, _mm256_castsi256_ps(_mm256_cmpeq_epi32(following, m_count)));
        __m256 followingSegment = next.following;

        m_travelled = _mm256_blendv_ps(_mm256_blendv_ps(m_travelled, _mm256_setzero_ps(), placing), reached, passing);
        m_distance = _mm256_blendv_ps(_mm256_blendv_ps(m_distance, placedDistance, placing), followingSegment, passing);
        m_previousX = _mm256_blendv_ps(_mm256_blendv_ps(m_previousX, placedX, placing), nextX, passing);
        m_previousY = _mm256_blendv_ps(_mm256_blendv_ps(m_previousY, placedY, placing), nextY, passing);
        __m256i passingInts = _mm256_castps_si256(passing);
        m_previousId = _mm256_blendv_epi8(m_previousId, nextId, passingInts);
        m_next = _mm256_blendv_epi8(m_next, following, passingInts);
        m_active = _mm256_andnot_ps(finished, m_active);
        return true;
    }

private:
    struct Entries {
        __m256 x;
        __m256 y;
        __m256 id;
        __m256 following;
    };

    static __m256 magnitude(__m256 value) { return _mm256_andnot_ps(_mm256_set1_ps(-0.0f), value); }

    // Each lane's entry at `at`, turned from eight entries into four rows of eight lanes.
    [[gnu::always_inline]] static Entries load(const Walks& walks, __m256i at)
    {
        alignas(32) std::array<int32_t, lanes> indices;
        _mm256_store_si256(reinterpret_cast<__m256i*>(indices.data()), at);
        const float* entries = reinterpret_cast<const float*>(walks.entries.get());
        auto pair = [&](size_t low) {
            return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_load_ps(entries + 4 * size_t(indices[low]))),
                                        _mm_load_ps(entries + 4 * size_t(indices[low + 4])), 1);
        };
        __m256 lanes04 = pair(0), lanes15 = pair(1), lanes26 = pair(2), lanes37 = pair(3);
        __m256 low01 = _mm256_unpacklo_ps(lanes04, lanes15);
        __m256 high01 = _mm256_unpackhi_ps(lanes04, lanes15);
        __m256 low23 = _mm256_unpacklo_ps(lanes26, lanes37);
        __m256 high23 = _mm256_unpackhi_ps(lanes26, lanes37);
        return { _mm256_shuffle_ps(low01, low23, 0x44), _mm256_shuffle_ps(low01, low23, 0xee),
                 _mm256_shuffle_ps(high01, high23, 0x44), _mm256_shuffle_ps(high01, high23, 0xee) };
    }

    // Adds each placing lane's point to its walk; false when a walk overran.
    bool keep(Walks& walks, __m256 placing, __m256 x, __m256 y) const
    {
        int placingLanes = _mm256_movemask_ps(placing);
        if (!placingLanes)
            return true;
        alignas(32) std::array<float, lanes> xs, ys;
        alignas(32) std::array<int32_t, lanes> ids;
        _mm256_store_ps(xs.data(), x);
        _mm256_store_ps(ys.data(), y);
        _mm256_store_si256(reinterpret_cast<__m256i*>(ids.data()), m_previousId);
        for (; placingLanes; placingLanes &= placingLanes - 1) {
            int lane = __builtin_ctz(unsigned(placingLanes));
            size_t walk = size_t(m_group * lanes + lane);
            int32_t& count = walks.placedCounts[walk];
            if (count == capacity)
                return false;
            walks.placed[walk * size_t(capacity) + size_t(count++)] =
                GesturePoint(xs[size_t(lane)], ys[size_t(lane)], ids[size_t(lane)]);
        }
        return true;
    }

    const int m_group;
    const __m256i m_base;
    const __m256i m_count;
    const __m256i m_lastIndex;
    const __m256 m_interval;
    __m256i m_next;
    __m256 m_travelled;
    __m256 m_distance;
    __m256 m_previousX;
    __m256 m_previousY;
    __m256i m_previousId;
    __m256 m_active;
};

// A walk's segments as pointDistance measures them, eight at a time where the small-number
// arithmetic is exact, as it nearly always is, and one by one where it is not.
void measureSegments(const float* x, const float* y, size_t count, float* segments)
{
    size_t i = 1;
    for (; i + lanes <= count; i += lanes) {
        __m256 dx = _mm256_round_ps(_mm256_sub_ps(_mm256_loadu_ps(x + i), _mm256_loadu_ps(x + i - 1)), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
        __m256 dy = _mm256_round_ps(_mm256_sub_ps(_mm256_loadu_ps(y + i), _mm256_loadu_ps(y + i - 1)), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
        __m256 sum = _mm256_add_ps(_mm256_mul_ps(dx, dx), _mm256_mul_ps(dy, dy));
        __m256 absolute = _mm256_set1_ps(-0.0f);
        __m256 exact = _mm256_and_ps(_mm256_cmp_ps(sum, _mm256_set1_ps(exactSum), _CMP_LT_OQ),
                                     _mm256_and_ps(_mm256_cmp_ps(_mm256_andnot_ps(absolute, dx), _mm256_set1_ps(smallDifference), _CMP_LT_OQ),
                                                   _mm256_cmp_ps(_mm256_andnot_ps(absolute, dy), _mm256_set1_ps(smallDifference), _CMP_LT_OQ)));
        if (_mm256_movemask_ps(exact) == 0xff) {
            _mm256_storeu_ps(segments + i, _mm256_sqrt_ps(sum));
            continue;
        }
        for (size_t j = i; j < i + lanes; ++j)
            segments[j] = pipeline::pointDistance(x[j - 1], y[j - 1], x[j], y[j]);
    }
    for (; i < count; ++i)
        segments[i] = pipeline::pointDistance(x[i - 1], y[i - 1], x[i], y[i]);
}

// Each walk's interval, its segments added one after another as the lone walk adds
// them, so the sum is the same to the bit; but all the walks at once, so that none waits
// on its own additions.
void measureIntervals(const Walks& walks, const std::array<int32_t, ResampleLanes::width>& bases,
                      const std::array<int32_t, ResampleLanes::width>& counts, std::array<float, ResampleLanes::width>& intervals)
{
    std::array<float, ResampleLanes::width> lengths {};
    const int32_t shared = *std::min_element(counts.begin(), counts.end());
    for (int32_t i = 1; i < shared; ++i)
        for (size_t walk = 0; walk < ResampleLanes::width; ++walk)
            lengths[walk] += walks.segments[size_t(bases[walk] + i)];
    for (size_t walk = 0; walk < ResampleLanes::width; ++walk) {
        for (int32_t i = std::max(shared, 1); i < counts[walk]; ++i)
            lengths[walk] += walks.segments[size_t(bases[walk] + i)];
        intervals[walk] = lengths[walk] / float(pipeline::resampledPointCount - 1);
    }
}

}

bool ResampleLanes::resample(std::span<const unistrokes::Path> paths, std::vector<GestureStroke>& resampled)
{
    size_t stride = 0;
    for (const auto& path : paths) {
        size_t count = path.pointCount();
        if (count < 2)
            return false;
        stride = std::max(stride, count);
    }
    Walks walks(stride);
    std::array<float, width> intervals;
    std::array<int32_t, width> counts;
    std::array<int32_t, width> bases;
    for (size_t walk = 0; walk < width; ++walk) {
        size_t base = walk * stride;
        size_t at = base;
        paths[walk].forEachPoint([&](const GesturePoint& point) {
            walks.x[at] = point.x();
            walks.y[at] = point.y();
            walks.entries[at++] = { point.x(), point.y(), point.strokeId(), 0.0f };
        });
        measureSegments(walks.x.get() + base, walks.y.get() + base, at - base, walks.segments.get() + base);
        for (size_t i = base; i + 1 < at; ++i)
            walks.entries[i].following = walks.segments[i + 1];
        counts[walk] = int32_t(at - base);
        bases[walk] = int32_t(base);
        walks.placed[walk * size_t(capacity)] = pointOf(walks.entries[base]);
        walks.placedCounts[walk] = 1;
    }
    measureIntervals(walks, bases, counts, intervals);

    // Two groups in turn: each step of a group waits on its division and root, which
    // the other group's step fills.
    static_assert(groups == 2);
    LaneWalk a(walks, 0, bases.data(), counts.data(), intervals.data());
    LaneWalk b(walks, 1, bases.data(), counts.data(), intervals.data());
    while (a.active() || b.active()) {
        if (!a.step(walks) || !b.step(walks))
            return false;
    }

    for (size_t walk = 0; walk < width; ++walk) {
        const GesturePoint* placed = walks.placed.get() + walk * size_t(capacity);
        size_t count = size_t(walks.placedCounts[walk]);
        size_t last = size_t(bases[walk] + counts[walk] - 1);
        std::vector<GesturePoint> points;
        points.reserve(std::max(count, size_t(pipeline::resampledPointCount)));
        points.assign(placed, placed + count);
        if (count < size_t(pipeline::resampledPointCount))
            points.resize(size_t(pipeline::resampledPointCount), pointOf(walks.entries[last]));
        resampled.emplace_back(std::move(points));
    }
    return true;
}

#else

bool ResampleLanes::resample(std::span<const unistrokes::Path>, std::vector<GestureStroke>&)
{
    return false;
}

#endif

}
