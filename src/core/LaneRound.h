#pragma once

#include <cstdint>

namespace scriblo {

// One evaluation for each of several templates at once, each at its own angle. Lane k
// sums its template's point distances in point order, so every lane adds exactly as a
// lone comparison would; the lanes only share the instructions.
//
// Template coordinates are interleaved by point: point i of lane k sits at
// [i · laneCount + k]. Lanes compare `counts[k]` points; all compare at least
// `commonCount`.
struct LaneRound {
    static constexpr int maximumLaneCount = 8;

    // The candidate relative to its centroid, which rotation turns about.
    const float* candidateX { nullptr };
    const float* candidateY { nullptr };
    float centroidX { 0 };
    float centroidY { 0 };
    const float* templateX { nullptr };
    const float* templateY { nullptr };
    const int32_t* counts { nullptr };
    int32_t commonCount { 0 };
    int32_t longestCount { 0 };
    const float* cosines { nullptr };
    const float* sines { nullptr };
    // Out: each lane's sum, and bit k set when lane k met a difference too large for
    // float arithmetic to be exact; such a lane's sum must be taken again exactly.
    float* sums { nullptr };
    uint32_t inexactLanes { 0 };
};

using LaneRoundKernel = void (*)(LaneRound& round);

// Four lanes with SSE2, eight with AVX2; each kernel is compiled for its instruction set
// alone and chosen at run time, so the program still runs on processors without AVX2.
void evaluateLaneRoundSse2(LaneRound& round);
void evaluateLaneRoundAvx2(LaneRound& round);

}
