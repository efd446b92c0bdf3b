#pragma once

#include "core/GesturePoint.h"
#include "core/GestureStroke.h"
#include "core/LaneRound.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace scriblo {

// Compares one preprocessed candidate with template strokes over the bounded rotation
// search. Every angle the search can visit is known in advance (AngleSearchTree), so
// several templates are searched side by side, one lane each, with the candidate
// rotated inside the lanes; each lane keeps its own template's order of summation, so
// the distances are those of searching each template alone, to the last bit.
class CandidateMatcher {
public:
    enum class Kernel { portable, sse2, avx2 };

    // A template's processed coordinates. A search of many candidates may take each
    // point's distance from the origin and the largest coordinate once beforehand, which
    // makes bounds cheaper.
    struct Points {
        const float* x { nullptr };
        const float* y { nullptr };
        int32_t count { 0 };
        const float* radii { nullptr };
        float largestCoordinate { 0 };
    };

    struct Best {
        size_t index { 0 };
        float distance { 0 };
    };

    explicit CandidateMatcher(const GestureStroke& candidate);
    CandidateMatcher(const GestureStroke& candidate, Kernel kernel);

    // One of several searches for the same candidate. Templates that provably cannot come
    // within `ceiling` are not searched either: where the winner is further than that,
    // `best` is only some template further than `ceiling`, or nothing. Bounds are summed
    // only until they pass `boundsUpTo`, which costs nothing where the winner is within
    // it and only searches more templates where it is not: the result is the same.
    struct Search {
        std::span<const Points> templates;
        float ceiling { std::numeric_limits<float>::infinity() };
        float boundsUpTo { std::numeric_limits<float>::infinity() };
        std::optional<Best> best;
    };

    // The template with the smallest best-angle distance, the first of equals; nothing
    // for no templates. Templates that provably cannot win are not searched.
    std::optional<Best> bestTemplate(std::span<const Points> templates);
    // bestTemplate for each search, with the templates of several sharing the lanes.
    void bestTemplates(std::span<Search> searches);
    // The same winner as bestTemplate, with the templates split into `workers` runs
    // searched at once, each on a thread of its own but the first.
    static std::optional<Best> bestTemplateInParallel(const GestureStroke& candidate, std::span<const Points> templates,
                                                      size_t workers);
    // How many runs a search of `templateCount` templates is worth splitting into, on the
    // processors this process may use.
    static size_t usefulWorkers(size_t templateCount);
    // Writes the best-angle distance of each template, in the templates' order.
    void distancesAtBestAngle(std::span<const Points> templates, std::span<float> distances);
    float distanceAtBestAngle(const GestureStroke& templateStroke);

    // Fills in each template's `radii`, kept in `radii`, and `largestCoordinate`.
    static void prepareBounds(std::span<Points> templates, std::vector<float>& radii);

    // The kernels this processor runs, the fastest last.
    static std::vector<Kernel> availableKernels();

private:
    static void keep(Search& search, size_t index, float distance);
    void collectBounds(Search& search, std::vector<std::pair<double, size_t>>& order);
    void searchBatch(std::span<const Points* const> templates, std::span<float> distances);
    void loadTemplates(std::span<const Points* const> templates);
    void evaluate(const int* nodes, float* distances);
    float exactDistanceSum(int lane, float cosine, float sine) const;
    double lowerBound(const Points& points, float upTo) const;

    std::vector<float> m_x;
    std::vector<float> m_y;
    // Each point's distance from the centroid, which rotation keeps.
    std::vector<float> m_radii;
    GesturePoint m_centroid;
    // The centroid's distance from the origin, rounded up, and its largest coordinate.
    float m_centroidDistance { 0 };
    float m_centroidCoordinate { 0 };
    LaneRoundKernel m_kernel { nullptr };
    DistanceBoundKernel m_boundKernel { nullptr };
    int m_laneCount { 1 };
    // The templates being searched, interleaved by point as LaneRound describes.
    std::vector<float> m_templateX;
    std::vector<float> m_templateY;
    int32_t m_counts[LaneRound::maximumLaneCount] {};
    int32_t m_commonCount { 0 };
    int32_t m_longestCount { 0 };
};

}
