#include "launch/SettingsInput.h"

#include <gtest/gtest.h>

using namespace scriblo;

TEST(SettingsInputTest, readsTheLeadingWholeNumberLikeTheFieldDoesAndAcceptsScoresFrom70To100AndDelaysFrom1To1000)
{
    EXPECT_EQ(SettingsInput::leadingWholeNumber("85"), 85);
    EXPECT_EQ(SettingsInput::leadingWholeNumber("  85%"), 85);
    EXPECT_EQ(SettingsInput::leadingWholeNumber("-3"), -3);
    EXPECT_EQ(SettingsInput::leadingWholeNumber("abc"), 0);
    EXPECT_EQ(SettingsInput::leadingWholeNumber(""), 0);
    // Wrapping round would turn a huge number into one inside the range.
    EXPECT_EQ(SettingsInput::leadingWholeNumber("4294967381"), INT32_MAX);
    EXPECT_EQ(SettingsInput::leadingWholeNumber("-99999999999"), INT32_MIN);

    EXPECT_FALSE(SettingsInput::acceptedMinimumRecognitionScore("69"));
    EXPECT_EQ(SettingsInput::acceptedMinimumRecognitionScore("70"), 70);
    EXPECT_EQ(SettingsInput::acceptedMinimumRecognitionScore("100"), 100);
    EXPECT_FALSE(SettingsInput::acceptedMinimumRecognitionScore("101"));
    EXPECT_FALSE(SettingsInput::acceptedMinimumRecognitionScore("score 80"));
    EXPECT_FALSE(SettingsInput::acceptedReadingDelayTime("0"));
    EXPECT_EQ(SettingsInput::acceptedReadingDelayTime("1"), 1);
    EXPECT_EQ(SettingsInput::acceptedReadingDelayTime("1000"), 1000);
    EXPECT_FALSE(SettingsInput::acceptedReadingDelayTime("1001"));
    EXPECT_FALSE(SettingsInput::acceptedReadingDelayTime("fast"));
}
