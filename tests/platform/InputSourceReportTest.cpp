#include "platform/InputSourceReport.h"

#include <gtest/gtest.h>

using namespace scriblo;

TEST(InputSourceReportTest, anUnreadableTouchpadIsCountedAndTheLineSaysHowToGetAccess)
{
    EXPECT_EQ(InputSourceReport::touchpadLine(0, 0), "Touchpads: none found.");
    EXPECT_EQ(InputSourceReport::touchpadLine(2, 2), "Touchpads: 2 found, all watched.");
    for (auto [found, readable] : { std::pair<size_t, size_t> { 1, 0 }, { 2, 1 } }) {
        auto line = InputSourceReport::touchpadLine(found, readable);
        EXPECT_NE(line.find(std::to_string(found) + " found"), std::string::npos) << line;
        EXPECT_NE(line.find("udev rule"), std::string::npos) << line;
        EXPECT_NE(line.find("touchpad-access.md"), std::string::npos) << line;
    }
    EXPECT_EQ(InputSourceReport::mouseLine(Failure { "no mouse found" }), "Mouse: not watched, no mouse found.");
}
