#include "core/ResampleLanes.h"
#include "core/ResampleWalk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace scriblo;

namespace {

// A hand's wander: steps of random length and turn, some repeated points, some under a
// unit apart (which measure nothing), coordinates kept around `scale`.
GestureStroke wander(std::mt19937& random, int count, float scale)
{
    std::uniform_real_distribution<float> unit(0, 1);
    GestureStroke stroke;
    float x = scale * unit(random), y = scale * unit(random), heading = 6.3f * unit(random);
    for (int i = 0; i < count; ++i) {
        stroke.addPoint(GesturePoint(x, y, i / 40 + 1));
        float roll = unit(random);
        float step = roll < 0.1f ? 0.0f : roll < 0.2f ? 0.7f * unit(random) : scale / 40 * unit(random);
        heading += unit(random) - 0.5f;
        x += step * std::cos(heading);
        y += step * std::sin(heading);
    }
    return stroke;
}

GestureStroke evenLine(int count, float spacing)
{
    GestureStroke stroke;
    for (int i = 0; i < count; ++i)
        stroke.addPoint(GesturePoint(float(i) * spacing, 0, 1));
    return stroke;
}

// Equal to the last bit, NaN patterns and signed zeros included.
testing::AssertionResult samePoints(const GestureStroke& lanes, const GestureStroke& alone)
{
    if (lanes.points().size() != alone.points().size())
        return testing::AssertionFailure() << lanes.points().size() << " points against " << alone.points().size();
    for (size_t i = 0; i < alone.points().size(); ++i) {
        if (std::memcmp(&lanes.points()[i], &alone.points()[i], sizeof(GesturePoint)) != 0)
            return testing::AssertionFailure() << "point " << i << ": " << lanes.points()[i].description() << " against "
                                               << alone.points()[i].description();
    }
    return testing::AssertionSuccess();
}

// The lanes are built for x86-64 and run where the processor has AVX2.
bool lanesRunHere()
{
#if defined(__x86_64__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

void expectEachAsAlone(const std::vector<GestureStroke>& strokes, const std::vector<GestureStroke>& resampled)
{
    ASSERT_EQ(resampled.size(), strokes.size());
    for (size_t i = 0; i < strokes.size(); ++i)
        EXPECT_TRUE(samePoints(resampled[i], ResampleWalk::resample(strokes[i]))) << "stroke " << i;
}

}

TEST(ResampleLanesTest, everyLanePlacesTheLoneWalksPointsToTheLastBit)
{
    if (!lanesRunHere())
        GTEST_SKIP() << "this processor has no AVX2 lanes";
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        std::vector<GestureStroke> strokes;
        for (size_t walk = 0; walk < ResampleLanes::width; ++walk)
            strokes.push_back(wander(random, 2 + int(random() % 300), round % 2 ? 1000.0f : 60.0f));
        // Evenly spaced points reach the interval exactly, where only "beyond" places.
        if (round % 5 == 0) {
            strokes[3] = evenLine(160, 1);
            strokes[12] = evenLine(319, 0.5f);
        }
        std::vector<GestureStroke> resampled;
        ASSERT_TRUE(ResampleLanes::resample(strokes, 0, resampled)) << "the lanes declined round " << round;
        ASSERT_NO_FATAL_FAILURE(expectEachAsAlone(strokes, resampled)) << "round " << round;
    }
}

// What the lanes cannot take exactly goes to the lone walks, and the result is the same.
TEST(ResampleLanesTest, strokesTheLanesDeclineAreWalkedAlone)
{
    std::mt19937 random(7);
    auto group = [&] {
        std::vector<GestureStroke> strokes;
        for (size_t walk = 0; walk < ResampleLanes::width; ++walk)
            strokes.push_back(wander(random, 50, 1000));
        return strokes;
    };
    auto onePoint = group();
    onePoint[5] = GestureStroke({ { 1, 2, 1 } });
    auto huge = group();
    huge[9] = GestureStroke({ { 0, 0, 1 }, { 1e30f, 0, 1 }, { 1e30f, -1e30f, 1 } });
    auto wide = group();
    wide[0] = wander(random, 30, 200000);
    for (const auto& strokes : { onePoint, huge, wide }) {
        std::vector<GestureStroke> resampled;
        EXPECT_FALSE(ResampleLanes::resample(strokes, 0, resampled));
        EXPECT_TRUE(resampled.empty());
        ASSERT_NO_FATAL_FAILURE(expectEachAsAlone(strokes, ResampleWalk::resampleStrokes(strokes)));
    }
    // Groups of lanes, a declined group and a tail of lone walks in one call.
    auto mixed = group();
    mixed.insert(mixed.end(), huge.begin(), huge.end());
    mixed.resize(mixed.size() + 5, evenLine(80, 3));
    ASSERT_NO_FATAL_FAILURE(expectEachAsAlone(mixed, ResampleWalk::resampleStrokes(mixed)));
}
