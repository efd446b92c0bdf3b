#include "ParabolaDrawing.h"
#include "core/Gesture.h"
#include "core/ResampleWalk.h"
#include "core/TemplatePipeline.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::pipeline;
using scriblo::testing::drawing;

// How differences are truncated within range, every pinned distance shows; out of range
// and NaN, they are defined, not undefined behaviour.
TEST(TemplatePipelineTest, truncatesDifferencesOutOfRangeToADefinedValue)
{
    EXPECT_EQ(truncateToInteger(std::nanf("")), INT32_MIN);
    EXPECT_EQ(truncateToInteger(3e9f), INT32_MIN);
    EXPECT_GT(pointDistance(0, 0, 3e9f, 0), 0.0f);
}

TEST(TemplatePipelineTest, degenerateStrokesGiveNoDirectionInsteadOfCrashing)
{
    GestureTemplate coincident(GestureStroke({ { 5, 5, 1 }, { 5, 5, 1 }, { 5, 5, 1 } }));
    EXPECT_TRUE(std::isnan(coincident.startUnitVector().x()));
    GestureTemplate empty { GestureStroke() };
    EXPECT_EQ(empty.stroke().pointCount(), 0);
    EXPECT_TRUE(std::isnan(empty.startUnitVector().x()));
    Gesture withEmptyStroke("x", { GestureStroke(), drawing(20)[0] });
    withEmptyStroke.generateTemplates();
    EXPECT_EQ(withEmptyStroke.templates(0).size(), 8u);
    Gesture noStrokes("none", {});
    noStrokes.generateTemplates();
    EXPECT_TRUE(noStrokes.templates(0).empty());
}

// Differences beyond 32 bits measure the same however far apart the points are, so each
// split of such a segment makes no progress; resampling must still end promptly.
TEST(TemplatePipelineTest, saturatedDistancesCannotMakeResamplingRunAway)
{
    GestureStroke far({ { 0, 0, 1 }, { 1e30f, 0, 1 }, { 1e30f, -1e30f, 1 } });
    GestureStroke resampled = resampleStroke(far);
    EXPECT_GE(resampled.pointCount(), 160);
    EXPECT_LE(resampled.pointCount(), ResampleWalk::maximumPointCount);
}

TEST(TemplatePipelineTest, describesPointsWithSixDecimals)
{
    EXPECT_EQ(GesturePoint(12.5f, -3.25f, 7).description(), "X: 12.500000 Y: -3.250000 Stroke: 7");
    EXPECT_EQ(GestureStroke({ { 1, 2, 3 } }).description(), "X: 1.000000 Y: 2.000000 Stroke: 3 \r");
}

// A store's templates must fit in memory: they refer to the drawn strokes instead of
// copying them, lie back to back in one block, and outlive the gesture they came from.
TEST(TemplatePipelineTest, templatesShareTheDrawnStrokesAndOneBlock)
{
    GestureTemplate kept;
    {
        Gesture gesture("two", { drawing(20)[0], drawing(30)[0] });
        gesture.generateTemplates();
        const TemplateSet& templates = gesture.templates(0);
        ASSERT_EQ(templates.size(), 8u);
        EXPECT_EQ(&templates.source()->front(), &gesture.strokes().front());
        for (size_t t = 1; t < templates.size(); ++t)
            EXPECT_EQ(templates.xs(t), templates.ys(t - 1) + templates.pointCount(t - 1));
        kept = templates[5];
        Gesture copy = gesture.copy();
        EXPECT_EQ(&copy.strokes(), &gesture.strokes());
        EXPECT_TRUE(copy.templates(0).empty());
    }
    EXPECT_EQ(kept.stroke(), kept.copy().stroke());
    EXPECT_EQ(kept.originalStroke().pointCount(), 50);
}
