#include "ParabolaDrawing.h"
#include "core/GestureRecognizer.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

using namespace scriblo;
using scriblo::testing::drawing;

TEST(GestureRecognizerTest, emptyIdentityAndCoincidentDrawingsGiveNoResult)
{
    GestureRecognizer recognizer;
    GestureStroke drawn = drawing(50)[0];
    recognizer.addGesture(Gesture("", { drawn }));
    EXPECT_FALSE(recognizer.recognizeGestureWithStrokes({ drawn }));
    recognizer.addGesture(Gesture("named", { drawn }));
    EXPECT_FALSE(recognizer.recognizeGestureWithStrokes({ GestureStroke(std::vector<GesturePoint>(20, GesturePoint(7, 7, 1))) }));
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
    GestureStroke drawn = drawing(60)[0];
    recognizer.addGesture(Gesture("stable", { drawn }));
    std::atomic<bool> done { false };
    std::thread writer([&] {
        for (int i = 0; i < 200; ++i) {
            recognizer.addGesture(Gesture("churn" + std::to_string(i % 5), drawing(30, float(i))));
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
