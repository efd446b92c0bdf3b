#pragma once

#include "core/LaneRound.h"

// The body shared by the instruction-set kernels. Only the files that define a `Lanes`
// type include it, each compiled for its own instruction set; it uses nothing from the
// standard library, so no inline function compiled for a wider instruction set can be
// picked by the linker for code that runs without it.
namespace scriblo::lanekernel {

// Below 2^24 an integer sum of squares is exact in float, and its float square root
// equals the double root narrowed; a float sum at or above it may have been rounded.
inline constexpr float exactSquareLimit = 16777216.0f;

template<typename Lanes>
struct Kernel {
    using Floats = typename Lanes::Floats;

    LaneRound& round;
    Floats cosine { Lanes::load(round.cosines) };
    Floats sine { Lanes::load(round.sines) };
    Floats centroidX { Lanes::broadcast(round.centroidX) };
    Floats centroidY { Lanes::broadcast(round.centroidY) };
    Floats sum { Lanes::zero() };
    Floats largestSquare { Lanes::zero() };

    // Truncation is toward zero, to whole numbers; out of range or NaN gives INT32_MIN,
    // whose square is then far beyond the exact limit.
    //
    // Rotation and truncated distance step for step as a lone comparison takes them:
    // x' = (x·cos − y·sin) + cx, y' = (x·sin + y·cos) + cy, then template minus rotated.
    Floats squaredDistance(int32_t i) const
    {
        Floats x = Lanes::broadcast(round.candidateX[i]);
        Floats y = Lanes::broadcast(round.candidateY[i]);
        Floats rotatedX = Lanes::add(Lanes::subtract(Lanes::multiply(x, cosine), Lanes::multiply(y, sine)), centroidX);
        Floats rotatedY = Lanes::add(Lanes::add(Lanes::multiply(x, sine), Lanes::multiply(y, cosine)), centroidY);
        int32_t at = i * Lanes::width;
        Floats dx = Lanes::truncate(Lanes::subtract(Lanes::load(round.templateX + at), rotatedX));
        Floats dy = Lanes::truncate(Lanes::subtract(Lanes::load(round.templateY + at), rotatedY));
        return Lanes::add(Lanes::multiply(dx, dx), Lanes::multiply(dy, dy));
    }

    void run()
    {
        int32_t i = 0;
        for (; i < round.commonCount; ++i) {
            Floats square = squaredDistance(i);
            largestSquare = Lanes::maximum(largestSquare, square);
            sum = Lanes::add(sum, Lanes::squareRoot(square));
        }
        // Lanes that are done add +0, which leaves a sum of non-negative terms unchanged.
        for (; i < round.longestCount; ++i) {
            Floats inside = Lanes::below(round.counts, i);
            Floats square = Lanes::keep(squaredDistance(i), inside);
            largestSquare = Lanes::maximum(largestSquare, square);
            sum = Lanes::add(sum, Lanes::squareRoot(square));
        }
        Lanes::store(round.sums, sum);
        round.inexactLanes = Lanes::bits(Lanes::notBelowEach(largestSquare, exactSquareLimit));
    }
};

template<typename Lanes>
void evaluate(LaneRound& round)
{
    Kernel<Lanes> { round }.run();
}

// Each term is how far the template point lies from the circle about the centroid that
// rotation keeps the candidate's point on, or how far rotation within the range can move
// that point, whichever says more. Every few steps the running sum is checked against
// `enough`; the terms are never negative, so it only grows. The check only decides when
// to stop, so a float total, quicker than the sum in double, serves.
template<typename Lanes, bool radiiKnown>
void boundWith(DistanceBound& bound)
{
    using Floats = typename Lanes::Floats;
    // Among look-alikes most bounds pass `enough` within their first sixteen points; a
    // check every second step stops them there, and costs less than the steps it saves.
    constexpr int32_t stepsPerCheck = 2;
    float enough = float(bound.enough);
    // A limit beyond any float, as for a search that needs every bound whole, spares
    // the checks.
    bool mayStop = bound.enough < 3e38;
    Floats cx = Lanes::broadcast(bound.centroidX);
    Floats cy = Lanes::broadcast(bound.centroidY);
    Floats chord = Lanes::broadcast(DistanceBound::chordPerRadius);
    Floats slack = Lanes::broadcast(radiiKnown ? DistanceBound::slack + DistanceBound::radiusRounding + bound.centroidDistance
                                               : DistanceBound::slack);
    Floats sum = Lanes::zero();
    Floats tooLarge = Lanes::zero();
    for (int32_t i = 0, step = 1; i + Lanes::width <= bound.count; i += Lanes::width, ++step) {
        Floats x = Lanes::subtract(Lanes::load(bound.templateX + i), cx);
        Floats y = Lanes::subtract(Lanes::load(bound.templateY + i), cy);
        Floats radius = Lanes::load(bound.radii + i);
        Floats fromCentroid;
        if constexpr (radiiKnown) {
            fromCentroid = Lanes::load(bound.templateRadii + i);
        } else {
            tooLarge = Lanes::either(tooLarge, Lanes::notBelowEach(Lanes::absolute(x), DistanceBound::largestCoordinate));
            tooLarge = Lanes::either(tooLarge, Lanes::notBelowEach(Lanes::absolute(y), DistanceBound::largestCoordinate));
            fromCentroid = Lanes::squareRoot(Lanes::add(Lanes::multiply(x, x), Lanes::multiply(y, y)));
        }
        Floats towardCentroid = Lanes::absolute(Lanes::subtract(radius, fromCentroid));
        Floats apartX = Lanes::subtract(x, Lanes::load(bound.candidateX + i));
        Floats apartY = Lanes::subtract(y, Lanes::load(bound.candidateY + i));
        Floats apart = Lanes::squareRoot(Lanes::add(Lanes::multiply(apartX, apartX), Lanes::multiply(apartY, apartY)));
        Floats unturned = Lanes::subtract(apart, Lanes::multiply(chord, radius));
        sum = Lanes::add(sum, Lanes::maximum(Lanes::subtract(Lanes::maximum(towardCentroid, unturned), slack), Lanes::zero()));
        if (mayStop && step % stepsPerCheck == 0 && Lanes::total(sum) > enough)
            break;
    }
    float sums[Lanes::width];
    Lanes::store(sums, sum);
    bound.sum = 0;
    for (float laneSum : sums)
        bound.sum += double(laneSum);
    bound.valid = !Lanes::anySet(tooLarge);
}

template<typename Lanes>
void bound(DistanceBound& bound)
{
    if (bound.templateRadii)
        boundWith<Lanes, true>(bound);
    else
        boundWith<Lanes, false>(bound);
}

}
