#include "app/commands/CommandProgress.h"

#include <gtest/gtest.h>

#include <sstream>

using scriblo::CommandProgress;
using namespace std::chrono_literals;

TEST(CommandProgressTest, speaksOnlyOnATerminalAfterASecondAndAtMostTenTimesASecond)
{
    std::ostringstream terminal;
    auto start = CommandProgress::Clock::now();
    {
        CommandProgress progress("comparing:", terminal, true);
        progress.advance(10, 100, start + 900ms);
        EXPECT_EQ(terminal.str(), "") << "a step done within a second says nothing";
        progress.advance(25, 100, start + 1100ms);
        progress.advance(26, 100, start + 1150ms);
        progress.advance(50, 100, start + 1250ms);
        EXPECT_EQ(terminal.str(), "\rscriblo: comparing: 25%\rscriblo: comparing: 50%");
    }
    EXPECT_TRUE(terminal.str().ends_with("\r\033[K")) << "the line is cleared for what follows";

    std::ostringstream file;
    CommandProgress quiet("comparing:", file, false);
    quiet.advance(50, 100, start + 5s);
    EXPECT_EQ(file.str(), "");
}
