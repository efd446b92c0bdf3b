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

// A lower bound of one template's distance at any angle of the search, from the points'
// distances to the candidate's centroid, which rotation keeps, and from how far
// rotation within the range can move each point (CandidateMatcher says why it holds).
// Lanes run along the points; a point left out only weakens the bound.
struct DistanceBound {
    static constexpr float chordPerRadius = 0.5177f; // 2·sin(15°), rounded up
    static constexpr float slack = 1.5f; // truncation (up to √2) and rounding
    // The rounding of a template point's distance from the origin, for coordinates of
    // moderate size, with room to spare.
    static constexpr float radiusRounding = 0.01f;
    // Beyond this the rounding of the bound's own arithmetic is no longer small.
    static constexpr float largestCoordinate = 4096;

    const float* candidateX { nullptr };
    const float* candidateY { nullptr };
    const float* radii { nullptr };
    float centroidX { 0 };
    float centroidY { 0 };
    const float* templateX { nullptr };
    const float* templateY { nullptr };
    int32_t count { 0 };
    // The sum may stop once it passes this, a bound of the points summed so far, which
    // is all that a search with no use for larger bounds needs.
    double enough { 0 };
    // Where known, each template point's distance from the origin, taken once for every
    // candidate: a point that is r from the origin is at least r − |centroid| from the
    // centroid, so the centroid's distance from the origin joins the slack. The template's
    // coordinates must then be known to be of moderate size, as they are not checked.
    const float* templateRadii { nullptr };
    float centroidDistance { 0 };
    // Out: the sum of the points' bounds; nothing is known when `valid` is false.
    double sum { 0 };
    bool valid { false };
};

using LaneRoundKernel = void (*)(LaneRound& round);
using DistanceBoundKernel = void (*)(DistanceBound& bound);

// Four lanes with SSE2, eight with AVX2; each kernel is compiled for its instruction set
// alone and chosen at run time, so the program still runs on processors without AVX2.
void evaluateLaneRoundSse2(LaneRound& round);
void evaluateLaneRoundAvx2(LaneRound& round);
void boundDistanceSse2(DistanceBound& bound);
void boundDistanceAvx2(DistanceBound& bound);

}
