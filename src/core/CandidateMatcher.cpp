#include "core/CandidateMatcher.h"

#include "core/AngleSearchTree.h"
#include "core/LaneColumns.h"
#include "core/ParallelRuns.h"
#include "core/ProcessorFeatures.h"
#include "core/TemplatePipeline.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace scriblo {

std::vector<CandidateMatcher::Kernel> CandidateMatcher::availableKernels()
{
    std::vector<Kernel> kernels { Kernel::portable };
#ifdef __SSE2__
    kernels.push_back(Kernel::sse2);
#endif
    if (supportsAvx2())
        kernels.push_back(Kernel::avx2);
    return kernels;
}

CandidateMatcher::CandidateMatcher(const GestureStroke& candidate)
    : CandidateMatcher(candidate, availableKernels().back())
{
}

CandidateMatcher::CandidateMatcher(const GestureStroke& candidate, Kernel kernel)
    : m_centroid(pipeline::strokeCentroid(candidate))
{
    switch (kernel) {
    case Kernel::portable:
        break;
    case Kernel::sse2:
#ifdef __SSE2__
        m_kernel = evaluateLaneRoundSse2;
        m_boundKernel = boundDistanceSse2;
        m_laneCount = 4;
#endif
        break;
    case Kernel::avx2:
#if defined(SCRIBLO_AVX2_KERNEL)
        m_kernel = evaluateLaneRoundAvx2;
        m_boundKernel = boundDistanceAvx2;
        m_laneCount = 8;
#endif
        break;
    }
    // Rotation turns each point about the centroid, so the offsets are what it needs.
    m_x.reserve(candidate.points().size());
    m_y.reserve(candidate.points().size());
    bool bounded = true;
    for (const auto& point : candidate.points()) {
        m_x.push_back(point.x() - m_centroid.x());
        m_y.push_back(point.y() - m_centroid.y());
        m_radii.push_back(std::sqrt(m_x.back() * m_x.back() + m_y.back() * m_y.back()));
        bounded = bounded && std::fabs(m_x.back()) < DistanceBound::largestCoordinate && std::fabs(m_y.back()) < DistanceBound::largestCoordinate;
    }
    // Bounds hold only for coordinates of moderate size (and never for NaN).
    if (!bounded)
        m_boundKernel = nullptr;
    double centroidX = m_centroid.x();
    double centroidY = m_centroid.y();
    m_centroidDistance = std::nextafter(float(std::sqrt(centroidX * centroidX + centroidY * centroidY)), pipeline::largestFloat);
    m_centroidCoordinate = std::max(std::fabs(m_centroid.x()), std::fabs(m_centroid.y()));
}

std::optional<CandidateMatcher::Best> CandidateMatcher::bestTemplate(std::span<const Points> templates)
{
    Search search { templates, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity(), std::nullopt };
    bestTemplates(std::span(&search, 1));
    return search.best;
}

// Each pass takes the next template of every search that may still come closer than
// its best and within its ceiling, in rising order of the bounds; a search passed over
// once is done, since its best only comes closer. Lanes are searched as they fill, so
// a search may have several templates in one batch, all judged by the best before it:
// alone, a search takes its templates a full batch at a time, as it always has.
// Each search's bounds are kept as a heap, smallest first, rather than sorted: a search
// usually ends after a few of its thousands of templates, and sorting them all took a
// sixth of a recognition's time. The heap hands them out in the order sorting would.
void CandidateMatcher::bestTemplates(std::span<Search> searches)
{
    using Bound = std::pair<double, size_t>;
    std::vector<Bound> order;
    std::vector<size_t> next(searches.size());
    std::vector<size_t> end(searches.size());
    auto heapOf = [&](size_t s) { return std::pair(order.begin() + std::ptrdiff_t(next[s]), order.begin() + std::ptrdiff_t(end[s])); };
    for (size_t s = 0; s < searches.size(); ++s) {
        next[s] = order.size();
        searches[s].best.reset();
        collectBounds(searches[s], order);
        end[s] = order.size();
        auto [first, last] = heapOf(s);
        std::make_heap(first, last, std::greater<Bound>());
    }
    std::vector<const Points*> batch;
    std::vector<std::pair<size_t, size_t>> owners;
    float distances[LaneRound::maximumLaneCount];
    auto searchTheBatch = [&] {
        searchBatch(batch, std::span(distances, batch.size()));
        for (size_t k = 0; k < batch.size(); ++k)
            keep(searches[owners[k].first], owners[k].second, distances[k]);
        batch.clear();
        owners.clear();
    };
    for (bool taken = true; taken;) {
        taken = false;
        for (size_t s = 0; s < searches.size(); ++s) {
            const Search& search = searches[s];
            double reach = double(search.best ? std::min(search.best->distance, search.ceiling) : search.ceiling);
            if (next[s] == end[s] || order[next[s]].first > reach) {
                end[s] = next[s];
                continue;
            }
            auto [first, last] = heapOf(s);
            std::pop_heap(first, last, std::greater<Bound>());
            size_t index = order[--end[s]].second;
            batch.push_back(&search.templates[index]);
            owners.emplace_back(s, index);
            taken = true;
            if (batch.size() == size_t(m_laneCount))
                searchTheBatch();
        }
    }
    if (!batch.empty())
        searchTheBatch();
}

// Summing the bounds of thousands of templates in full is most of a long search's time,
// yet once one template's distance is known a bound may stop as soon as it passes it.
// So a long search first matches the most promising of its first templates and bounds
// the rest only up to that distance: a bound cut short is a smaller bound, still true,
// and leaves the result as it was.
void CandidateMatcher::collectBounds(Search& search, std::vector<std::pair<double, size_t>>& order)
{
    constexpr size_t probedAfter = 256;
    float upTo = std::min(search.ceiling, search.boundsUpTo);
    size_t start = order.size();
    for (size_t i = 0; i < search.templates.size(); ++i) {
        if (i == probedAfter && search.templates.size() > 2 * probedAfter) {
            auto promising = std::min_element(order.begin() + std::ptrdiff_t(start), order.end());
            const Points* probed = &search.templates[promising->second];
            float distance = 0;
            searchBatch(std::span(&probed, 1), std::span(&distance, 1));
            keep(search, promising->second, distance);
            upTo = std::min(upTo, distance);
        }
        order.emplace_back(lowerBound(search.templates[i], upTo), i);
    }
}

void CandidateMatcher::keep(Search& search, size_t index, float distance)
{
    bool closer = search.best ? distance < search.best->distance || (distance == search.best->distance && index < search.best->index)
                              : distance < pipeline::largestFloat;
    if (closer)
        search.best = Best { index, distance };
}

std::optional<CandidateMatcher::Best> CandidateMatcher::bestTemplateInParallel(const GestureStroke& candidate,
                                                                              std::span<const Points> templates,
                                                                              size_t workers)
{
    workers = std::clamp<size_t>(workers, 1, std::max<size_t>(templates.size(), 1));
    std::vector<std::optional<Best>> found(workers);
    ParallelRuns::run(templates.size(), workers, [&](size_t worker, size_t first, size_t length) {
        found[worker] = CandidateMatcher(candidate).bestTemplate(templates.subspan(first, length));
        if (found[worker])
            found[worker]->index += first;
    });
    std::optional<Best> best;
    // Runs in list order, so a later run's equal distance never displaces an earlier one.
    for (size_t worker = 0; worker < workers; ++worker) {
        if (found[worker] && (!best || found[worker]->distance < best->distance))
            best = found[worker];
    }
    return best;
}

size_t CandidateMatcher::usefulWorkers(size_t templateCount)
{
    // A thread costs about what a hundred template searches do; below this many
    // templates a run would not repay it.
    constexpr size_t templatesPerWorker = 1024;
    return std::clamp<size_t>(templateCount / templatesPerWorker, 1, ParallelRuns::processors());
}

// A template can be passed over when even this bound exceeds the best distance found,
// since every distance the search evaluates is at least the bound:
// - truncation shortens each difference by less than one unit, so a point's measured
//   distance is at least its Euclidean distance less √2;
// - rotation about the centroid keeps a point's distance r from it, so the rotated point
//   is at least |r − t| from a template point t units from the centroid;
// - within ±30° a point moves at most 2·sin(15°)·r from where it was drawn;
// - the slack of 1.5 covers √2 and the rounding of rotation and of the bound itself for
//   coordinates below 4096, and 1 − 10⁻³ covers the rounding of a float sum of up to ten
//   thousand non-negative terms and of the division;
// - a template point t from the origin is within |centroid| of t from the centroid, so
//   with the points' distances from the origin taken beforehand the slack grows by the
//   centroid's distance from the origin and by the rounding of those distances.
//
// A search may need no bound beyond some distance, so the sum stops a little past it.
double CandidateMatcher::lowerBound(const Points& points, float upTo) const
{
    if (!m_boundKernel)
        return 0;
    double enough = double(upTo) * double(m_x.size()) * 1.01;
    DistanceBound bound { m_x.data(), m_y.data(), m_radii.data(), m_centroid.x(), m_centroid.y(), points.x, points.y,
        int32_t(std::min(m_x.size(), size_t(points.count))), enough, nullptr, 0, 0, false };
    // Below the limit even after the centroid is taken off; NaN fails the test.
    if (points.radii && points.largestCoordinate + m_centroidCoordinate < DistanceBound::largestCoordinate) {
        bound.templateRadii = points.radii;
        bound.centroidDistance = m_centroidDistance;
    }
    m_boundKernel(bound);
    if (!bound.valid)
        return 0;
    return bound.sum * (1 - 1e-3) / double(m_x.size());
}

// Every point's distance from the origin, taken once rather than for every drawing the
// template is compared with, and the template's largest coordinate, infinite for NaN.
void CandidateMatcher::prepareBounds(std::span<Points> templates, std::vector<float>& radii)
{
    size_t total = 0;
    for (const auto& points : templates)
        total += size_t(points.count);
    radii.resize(total);
    float* next = radii.data();
    for (auto& points : templates) {
        points.radii = next;
        for (int32_t i = 0; i < points.count; ++i) {
            float x = points.x[i];
            float y = points.y[i];
            *next++ = std::sqrt(x * x + y * y);
            bool moderate = std::fabs(x) <= points.largestCoordinate && std::fabs(y) <= points.largestCoordinate;
            if (!moderate)
                points.largestCoordinate = std::isnan(x) || std::isnan(y) ? std::numeric_limits<float>::infinity() : std::max(std::fabs(x), std::fabs(y));
        }
    }
}

void CandidateMatcher::distancesAtBestAngle(std::span<const Points> templates, std::span<float> distances)
{
    std::vector<const Points*> batch;
    for (size_t first = 0; first < templates.size(); first += size_t(m_laneCount)) {
        size_t count = std::min(templates.size() - first, size_t(m_laneCount));
        batch.clear();
        for (size_t k = 0; k < count; ++k)
            batch.push_back(&templates[first + k]);
        searchBatch(batch, distances.subspan(first, count));
    }
}

float CandidateMatcher::distanceAtBestAngle(const GestureStroke& templateStroke)
{
    std::vector<float> x;
    std::vector<float> y;
    for (const auto& point : templateStroke.points()) {
        x.push_back(point.x());
        y.push_back(point.y());
    }
    Points points { x.data(), y.data(), templateStroke.pointCount() };
    float distance = 0;
    distancesAtBestAngle(std::span(&points, 1), std::span(&distance, 1));
    return distance;
}

// Only the points both strokes have are compared. Lanes left over in the last batch
// search the first template again, and their results are dropped.
void CandidateMatcher::loadTemplates(std::span<const Points* const> templates)
{
    auto lanes = size_t(m_laneCount);
    m_commonCount = INT32_MAX;
    m_longestCount = 0;
    for (size_t k = 0; k < lanes; ++k) {
        const Points* points = templates[k < templates.size() ? k : 0];
        m_counts[k] = int32_t(std::min(m_x.size(), size_t(points->count)));
        m_commonCount = std::min(m_commonCount, m_counts[k]);
        m_longestCount = std::max(m_longestCount, m_counts[k]);
    }
    // Beyond a lane's count the kernel masks its terms out, so stale values there are
    // harmless and the buffers need no clearing.
    m_templateX.resize(size_t(m_longestCount) * lanes);
    m_templateY.resize(size_t(m_longestCount) * lanes);
    constexpr size_t rowsAtOnce = LaneColumns::rowsAtOnce;
    for (size_t first = 0; first < lanes; first += rowsAtOnce) {
        const float* xs[rowsAtOnce] {};
        const float* ys[rowsAtOnce] {};
        size_t common = SIZE_MAX;
        for (size_t k = first; k < std::min(first + rowsAtOnce, lanes); ++k) {
            const Points* points = templates[k < templates.size() ? k : 0];
            xs[k - first] = points->x;
            ys[k - first] = points->y;
            common = std::min(common, size_t(m_counts[k]));
        }
        size_t placed = 0;
        if (first + rowsAtOnce <= lanes) {
            placed = LaneColumns::interleave(xs, common, m_templateX.data(), lanes, first);
            LaneColumns::interleave(ys, common, m_templateY.data(), lanes, first);
        }
        for (size_t k = first; k < std::min(first + rowsAtOnce, lanes); ++k) {
            for (size_t i = placed; i < size_t(m_counts[k]); ++i) {
                m_templateX[i * lanes + k] = xs[k - first][i];
                m_templateY[i * lanes + k] = ys[k - first][i];
            }
        }
    }
}

// The lone comparison's sum: sequential, one rounding per point, in point order.
float CandidateMatcher::exactDistanceSum(int lane, float cosine, float sine) const
{
    float cx = m_centroid.x();
    float cy = m_centroid.y();
    auto lanes = size_t(m_laneCount);
    float sum = 0;
    for (size_t i = 0; i < size_t(m_counts[lane]); ++i) {
        float x = m_x[i] * cosine - m_y[i] * sine + cx;
        float y = m_x[i] * sine + m_y[i] * cosine + cy;
        sum += pipeline::pointDistance(x, y, m_templateX[i * lanes + size_t(lane)], m_templateY[i * lanes + size_t(lane)]);
    }
    return sum;
}

// One evaluation per lane, lane k at the angle of nodes[k]. The divisor is always the
// candidate's point count, whatever the template's length.
void CandidateMatcher::evaluate(const int* nodes, float* distances)
{
    const auto& tree = AngleSearchTree::shared();
    float cosines[LaneRound::maximumLaneCount];
    float sines[LaneRound::maximumLaneCount];
    float sums[LaneRound::maximumLaneCount];
    for (int k = 0; k < m_laneCount; ++k) {
        cosines[k] = tree.probe(nodes[k]).cosine;
        sines[k] = tree.probe(nodes[k]).sine;
    }
    uint32_t inexact = ~0u;
    if (m_kernel) {
        LaneRound round { m_x.data(), m_y.data(), m_centroid.x(), m_centroid.y(), m_templateX.data(), m_templateY.data(),
            m_counts, m_commonCount, m_longestCount, cosines, sines, sums, 0 };
        m_kernel(round);
        inexact = round.inexactLanes;
    }
    float count = float(m_x.size());
    for (int k = 0; k < m_laneCount; ++k) {
        if (inexact & (1u << k))
            sums[k] = exactDistanceSum(k, cosines[k], sines[k]);
        distances[k] = sums[k] / count;
    }
}

// The golden-section search over ±30°, all lanes in step: each evaluates the node its
// own comparisons lead to.
void CandidateMatcher::searchBatch(std::span<const Points* const> templates, std::span<float> distances)
{
    loadTemplates(templates);
    constexpr int lanes = LaneRound::maximumLaneCount;
    int nodes[lanes];
    float f1[lanes];
    float f2[lanes];
    float probed[lanes];
    bool closedFromAbove[lanes];
    std::fill_n(nodes, lanes, 0);
    evaluate(nodes, f1);
    std::fill_n(nodes, lanes, 1);
    evaluate(nodes, f2);
    for (int step = 0; step < AngleSearchTree::searchSteps; ++step) {
        for (int k = 0; k < m_laneCount; ++k) {
            closedFromAbove[k] = f1[k] < f2[k];
            if (closedFromAbove[k])
                f2[k] = f1[k];
            else
                f1[k] = f2[k];
            nodes[k] = 2 * nodes[k] + (closedFromAbove[k] ? 0 : 1);
        }
        evaluate(nodes, probed);
        for (int k = 0; k < m_laneCount; ++k)
            (closedFromAbove[k] ? f1[k] : f2[k]) = probed[k];
    }
    for (size_t k = 0; k < templates.size(); ++k)
        distances[k] = f1[k] < f2[k] ? f1[k] : f2[k];
}

}
