#include "core/GestureRecognizer.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

using namespace scriblo;

namespace {

GestureStroke arc(float startAngle, float sweep, int count, float radius = 300, float centre = 500, int32_t strokeId = 1)
{
    GestureStroke stroke;
    for (int i = 0; i < count; ++i) {
        float angle = startAngle + sweep * float(i) / float(count - 1);
        stroke.addPoint(GesturePoint(centre + radius * std::cos(angle), centre + radius * std::sin(angle), strokeId));
    }
    return stroke;
}

GestureStroke segment(float x0, float y0, float x1, float y1, int count, int32_t strokeId = 1)
{
    GestureStroke stroke;
    for (int i = 0; i < count; ++i) {
        float t = float(i) / float(count - 1);
        stroke.addPoint(GesturePoint(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, strokeId));
    }
    return stroke;
}

}

TEST(GestureRecognizerTest, earlierGestureWinsTiesAndReAddingMovesItBehind)
{
    GestureRecognizer recognizer;
    GestureStroke drawn = arc(0, 2.5f, 50);
    recognizer.addGesture(Gesture("first", { drawn }));
    recognizer.addGesture(Gesture("second", { drawn }));
    EXPECT_EQ(recognizer.recognizeGestureWithStrokes({ drawn })->gestureIdentity(), "first");
    recognizer.addGesture(Gesture("first", { drawn }));
    EXPECT_EQ(recognizer.loadedGestures()->size(), 2u);
    EXPECT_EQ(recognizer.recognizeGestureWithStrokes({ drawn })->gestureIdentity(), "second");
    recognizer.removeGestureWithIdentity("absent");
    EXPECT_EQ(recognizer.loadedGestures()->size(), 2u);
    recognizer.removeGestureWithIdentity("second");
    EXPECT_EQ(recognizer.recognizeGestureWithStrokes({ drawn })->gestureIdentity(), "first");
}

TEST(GestureRecognizerTest, emptyIdentityAndCoincidentDrawingsGiveNoResult)
{
    GestureRecognizer recognizer;
    GestureStroke drawn = arc(0, 2.5f, 50);
    recognizer.addGesture(Gesture("", { drawn }));
    EXPECT_FALSE(recognizer.recognizeGestureWithStrokes({ drawn }));
    recognizer.addGesture(Gesture("named", { drawn }));
    EXPECT_FALSE(recognizer.recognizeGestureWithStrokes({ segment(7, 7, 7, 7, 20) }));
}

TEST(GestureRecognizerTest, scoresFollowTheHalfDiagonal)
{
    EXPECT_EQ(GestureRecognizer::scoreOfDistance(0), 100);
    EXPECT_EQ(GestureRecognizer::scoreOfDistance(7.07f), 100);
    EXPECT_EQ(GestureRecognizer::scoreOfDistance(7.08f), 99);
    EXPECT_EQ(GestureRecognizer::scoreOfDistance(100), 86);
    EXPECT_EQ(GestureRecognizer::scoreOfDistance(400), 44);
    EXPECT_EQ(GestureRecognizer::scoreOfDistance(707), 1);
    EXPECT_FALSE(GestureRecognizer::scoreOfDistance(707.11f));
    EXPECT_FALSE(GestureRecognizer::scoreOfDistance(3e38f));
}

TEST(GestureRecognizerTest, roundsCosinesThatDriftOutOfRange)
{
    float unit = 1.0000001f;
    EXPECT_EQ(GestureRecognizer::angleBetweenVectors({ unit, 0, 0 }, { unit, 0, 0 }), 0.0f);
    EXPECT_TRUE(std::isnan(GestureRecognizer::angleBetweenVectors({ 2, 0, 0 }, { 2, 0, 0 })));
}

// Recognitions read a snapshot, so they run while other threads add and remove.
TEST(GestureRecognizerTest, recognitionsRunWhileGesturesChange)
{
    GestureRecognizer recognizer;
    GestureStroke drawn = arc(0, 3, 60);
    recognizer.addGesture(Gesture("stable", { drawn }));
    std::atomic<bool> done { false };
    std::thread writer([&] {
        for (int i = 0; i < 200; ++i) {
            recognizer.addGesture(Gesture("churn" + std::to_string(i % 5), { arc(float(i), 2, 30) }));
            recognizer.removeGestureWithIdentity("churn" + std::to_string((i + 2) % 5));
        }
        done = true;
    });
    int recognitions = 0;
    while (!done || recognitions < 10) {
        auto result = recognizer.recognizeGestureWithStrokes({ drawn });
        ASSERT_TRUE(result);
        EXPECT_EQ(result->gestureIdentity(), "stable");
        ++recognitions;
    }
    writer.join();
}
