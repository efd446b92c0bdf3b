#include "core/GestureRecognitionModel.h"
#include "core/MemoryUserDefaults.h"
#include "setup/DrawingFit.h"
#include "setup/GestureAssignment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace scriblo;

namespace {

// `count` points round a circle of radius 400 about (500, 500), as a slow mouse gives them.
GestureStroke circle(int count, int32_t strokeId)
{
    GestureStroke stroke;
    for (int index = 0; index < count; ++index) {
        double angle = 2 * std::numbers::pi * index / count;
        stroke.addPoint({ float(500 + 400 * std::cos(angle)), float(500 + 400 * std::sin(angle)), strokeId });
    }
    return stroke;
}

// A straight line from (100, 100) to (`end`, 100), drawn with the given point count.
GestureStroke line(int count, float end, int32_t strokeId)
{
    GestureStroke stroke;
    for (int index = 0; index < count; ++index)
        stroke.addPoint({ 100 + (end - 100) * float(index) / float(count - 1), 100, strokeId });
    return stroke;
}

int32_t totalPoints(const std::vector<GestureStroke>& strokes)
{
    int32_t total = 0;
    for (const auto& stroke : strokes)
        total += stroke.pointCount();
    return total;
}

}

TEST(DrawingFitTest, aLongDrawingKeepsItsShapeEvenlySpacedWithinTheLimitAndAShorterOneIsKeptAsItIs)
{
    std::vector<GestureStroke> within { circle(600, 1), line(424, 900, 2) };
    EXPECT_EQ(DrawingFit::withinPointCount(within, 1024), within);

    std::vector<GestureStroke> drawing { circle(3000, 1), line(2000, 900, 2), line(5, 200, 3) };
    auto fitted = DrawingFit::withinPointCount(drawing, 1024);
    ASSERT_EQ(fitted.size(), 3u);
    EXPECT_LE(totalPoints(fitted), 1024);
    // The short stroke had fewer points than its share and keeps every one.
    EXPECT_EQ(fitted[2], drawing[2]);
    // Every point stays on the drawn path, and the whole path is kept: a cut would lose
    // the end of the circle.
    for (const auto& point : fitted[0].points()) {
        EXPECT_NEAR(std::hypot(point.x() - 500.0, point.y() - 500.0), 400, 0.5);
        EXPECT_EQ(point.strokeId(), 1);
    }
    EXPECT_EQ(fitted[0].points().front(), drawing[0].points().front());
    EXPECT_EQ(fitted[0].points().back(), drawing[0].points().back());
    EXPECT_EQ(fitted[1].points().back(), drawing[1].points().back());
    // Shared by length: the circle (2513 long) gets about three times the line's (800).
    double ratio = double(fitted[0].pointCount()) / fitted[1].pointCount();
    EXPECT_NEAR(ratio, 2513.0 / 800.0, 0.1);

    // Drawn unevenly: a slow start and a fast finish along one straight line.
    GestureStroke uneven;
    for (int index = 0; index <= 40; ++index)
        uneven.addPoint({ float(index * index), 0, 7 });
    GestureStroke even = DrawingFit::resampled(uneven, 17);
    ASSERT_EQ(even.pointCount(), 17);
    for (int index = 0; index < 17; ++index)
        EXPECT_NEAR(even.pointAtIndex(index).x(), index * 100.0, 1e-3) << index;
    // A dot stays a dot.
    GestureStroke dot(std::vector<GesturePoint>(5, GesturePoint(3, 4, 1)));
    EXPECT_EQ(DrawingFit::resampled(dot, 2), GestureStroke(std::vector<GesturePoint>(2, GesturePoint(3, 4, 1))));
}

// A drawing of more points than the store keeps says only how slowly it was made, as a
// mouse that reports a thousand times a second gives it: assigned or added, it is
// stored resampled, never refused.
TEST(DrawingFitTest, aSlowDrawingIsStoredFittedWhetherAssignedOrAdded)
{
    scriblo::testing::MemoryUserDefaults defaults;
    GestureRecognitionModel model(defaults);
    EXPECT_FALSE(GestureAssignment::store({ circle(1500, 1) }, "slow", std::nullopt, model));
    EXPECT_FALSE(GestureAssignment::addDrawing({ circle(1400, 1) }, "slow", model));
    auto stored = model.getGestureWithIdentity("slow");
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->drawingCount(), 2);
    for (int32_t drawing = 0; drawing < 2; ++drawing) {
        EXPECT_LE(totalPoints(stored->drawing(drawing)), 1024) << drawing;
        EXPECT_GT(totalPoints(stored->drawing(drawing)), 1000) << drawing;
    }
}
