#include "multitouch/MultitouchEvent.h"

#include <gtest/gtest.h>

using namespace scriblo;

TEST(MultitouchRecordsTest, descriptionsListTheReadFieldsInOrderAndEveryTouchOfAFrame)
{
    MTTouch record;
    record.identifier = 3;
    record.state = MTTouchStateTouching;
    record.x = 0.25f;
    record.y = 0.5f;
    record.velocityX = -1.5f;
    record.velocityY = 2;
    record.size = 0.75f;
    record.angle = 1;
    record.majorAxis = 0.125f;
    record.minorAxis = 0.0625f;
    record.absoluteX = 99; // not read
    EXPECT_EQ(MultitouchTouch(record).description(),
              "Id: 3, State: 4, X: 0.250000, Y: 0.500000, MinorAxis: 0.062500, MajorAxis: 0.125000, "
              "Angle: 1.000000, Size: 0.750000, VelocityX: -1.500000, VelocityY: 2.000000");

    MTTouch records[2];
    records[0].identifier = 1;
    records[1].identifier = 2;
    std::string text = MultitouchEvent::fromRecords(7, records, 2, 12.5, 40)->description();
    EXPECT_EQ(text.rfind("Device: 7, Frame: 40, Time: 12.500000, Touches: (\n    Id: 1, State: 0,", 0), 0u) << text;
    EXPECT_NE(text.find(",\n    Id: 2,"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\n)");
    EXPECT_EQ(MultitouchEvent::fromRecords(7, nullptr, 0, 13, 41)->description(),
              "Device: 7, Frame: 41, Time: 13.000000, Touches: (\n)");
}
