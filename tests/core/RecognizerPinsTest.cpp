#include "core/GestureLog.h"
#include "core/PinnedRecognizer.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::equivalence;

namespace scriblo::equivalence {

// What test listings show of a scenario.
void PrintTo(const RecognizerScenario& scenario, std::ostream* out)
{
    *out << scenario.name;
}

}

namespace {

class RecognizerPinsTest : public testing::TestWithParam<RecognizerScenario> { };

}

// The pins were written by tools/core's recognizer_pins after it found the recognizer
// equal to the literal reference on every drawing, bit for bit.
TEST_P(RecognizerPinsTest, answersAsPinned)
{
    const auto& scenario = GetParam();
    if (scenario.needsSharedData && !gesturelog::sharedGestureFolder())
        GTEST_SKIP() << "no shared gesture data at " << SCRIBLO_SHARED_DATA << "/gestures";
    static const auto pins = readPins(pinsFile());
    ASSERT_TRUE(pins.contains(scenario.name)) << "nothing pinned in " << pinsFile();
    const auto& expected = pins.at(scenario.name);
    PinnedRecognizer recognizer(scenario.checksPerLine);
    scenario.run(recognizer);
    auto actual = recognizer.lines();
    ASSERT_EQ(actual.size(), expected.size());
    int differing = 0;
    for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i] && ++differing <= 5)
            ADD_FAILURE() << "pinned: " << expected[i] << "\nnow:    " << actual[i];
    }
    EXPECT_EQ(differing, 0) << "of " << actual.size() << " lines";
}

INSTANTIATE_TEST_SUITE_P(Scenarios, RecognizerPinsTest, testing::ValuesIn(recognizerScenarios()),
                         [](const testing::TestParamInfo<RecognizerScenario>& info) { return info.param.name; });
