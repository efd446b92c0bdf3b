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

}
