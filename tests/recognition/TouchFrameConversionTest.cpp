#include "recognition/TouchFrameConversion.h"

#include <gtest/gtest.h>

using namespace scriblo;

TEST(TouchFrameConversionTest, keepsTheDeviceAndEveryFieldTheRulesReadInOrder)
{
    MTTouch first {};
    first.identifier = 3;
    first.state = 4;
    first.x = 0.25f;
    first.y = 0.75f;
    first.velocityX = -0.5f;
    first.velocityY = 0.125f;
    MTTouch second = first;
    second.identifier = 9;
    second.state = 7;
    MultitouchEvent event(42, 1, 0.0, { MultitouchTouch(first), MultitouchTouch(second) });
    TouchFrame frame = touchFrameFromEvent(event);
    EXPECT_EQ(frame.deviceIdentifier, 42);
    ASSERT_EQ(frame.touches.size(), 2u);
    const FrameTouch& touch = frame.touches[0];
    EXPECT_EQ(touch.identifier, 3);
    EXPECT_EQ(touch.state, 4);
    EXPECT_EQ(touch.x, 0.25f);
    EXPECT_EQ(touch.y, 0.75f);
    EXPECT_EQ(touch.velX, -0.5f);
    EXPECT_EQ(touch.velY, 0.125f);
    EXPECT_EQ(frame.touches[1].identifier, 9);
    EXPECT_EQ(frame.touches[1].state, 7);
}
