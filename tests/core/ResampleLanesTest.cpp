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

// Evenly spaced points reach the interval exactly, where only "beyond" places a point.
GestureStroke evenLine(int count, float spacing)
{
    GestureStroke stroke;
    for (int i = 0; i < count; ++i)
        stroke.addPoint(GesturePoint(float(i) * spacing, 0, 1));
    return stroke;
}

std::vector<GestureStroke> group(std::mt19937& random, float scale)
{
    std::vector<GestureStroke> strokes;
    for (size_t walk = 0; walk < ResampleLanes::width; ++walk)
        strokes.push_back(wander(random, 2 + int(random() % 300), scale));
    return strokes;
}

// Each stroke a unistroke of its own.
std::vector<unistrokes::Path> pathsOf(const std::vector<GestureStroke>& strokes)
{
    std::vector<unistrokes::Path> paths;
    for (size_t i = 0; i < strokes.size(); ++i)
        paths.push_back({ &strokes, { int(i) }, 0 });
    return paths;
}

// Each stroke as the lone walk places it, to the last bit (NaN patterns and signed zeros
// included).
void expectEachAsAlone(const std::vector<GestureStroke>& strokes, const std::vector<GestureStroke>& resampled)
{
    ASSERT_EQ(resampled.size(), strokes.size());
    for (size_t i = 0; i < strokes.size(); ++i) {
        GestureStroke walked = ResampleWalk::resample(strokes[i]);
        const auto& alone = walked.points();
        const auto& lanes = resampled[i].points();
        ASSERT_EQ(lanes.size(), alone.size()) << "stroke " << i;
        EXPECT_EQ(std::memcmp(lanes.data(), alone.data(), alone.size() * sizeof(GesturePoint)), 0) << "stroke " << i;
    }
}

}

TEST(ResampleLanesTest, everyLanePlacesTheLoneWalksPointsToTheLastBit)
{
#if defined(__x86_64__)
    if (!__builtin_cpu_supports("avx2"))
#endif
        GTEST_SKIP() << "this processor has no AVX2 lanes";
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        auto strokes = group(random, round % 2 ? 1000.0f : 60.0f);
        if (round % 5 == 0) {
            strokes[3] = evenLine(160, 1);
            strokes[12] = evenLine(319, 0.5f);
        }
        std::vector<GestureStroke> resampled;
        ASSERT_TRUE(ResampleLanes::resample(pathsOf(strokes), resampled)) << "the lanes declined round " << round;
        ASSERT_NO_FATAL_FAILURE(expectEachAsAlone(strokes, resampled)) << "round " << round;
    }
}

// What the lanes cannot take exactly goes to the lone walks, with the same result:
// a stroke of one point, saturated distances, differences beyond small whole numbers.
TEST(ResampleLanesTest, strokesTheLanesDeclineAreWalkedAlone)
{
    std::mt19937 random(7);
    std::vector<GestureStroke> mixed;
    for (GestureStroke odd : { GestureStroke({ { 1, 2, 1 } }),
                               GestureStroke({ { 0, 0, 1 }, { 1e30f, 0, 1 }, { 1e30f, -1e30f, 1 } }),
                               wander(random, 30, 200000) }) {
        auto strokes = group(random, 1000);
        strokes[5] = odd;
        std::vector<GestureStroke> resampled;
        EXPECT_FALSE(ResampleLanes::resample(pathsOf(strokes), resampled));
        EXPECT_TRUE(resampled.empty());
        mixed.insert(mixed.end(), strokes.begin(), strokes.end());
    }
    // Declined groups, a group the lanes take and a tail of lone walks in one call.
    auto taken = group(random, 1000);
    mixed.insert(mixed.end(), taken.begin(), taken.end());
    mixed.resize(mixed.size() + 5, evenLine(80, 3));
    expectEachAsAlone(mixed, ResampleWalk::resampleUnistrokes(pathsOf(mixed)));
}
