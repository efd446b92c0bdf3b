#include "core/GestureRecognizer.h"
#include "core/KeyedUnarchiver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace scriblo;

// Every input the archive fuzzer found interesting or crashing stays here as a
// regression case: it must decode (or fail) and go through matching without harm.
TEST(FuzzCorpusTest, everyKeptInputIsHandledSafely)
{
    std::filesystem::path corpus = SCRIBLO_SOURCE_DIR "/tests/core/fuzz-corpus";
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream stream(entry.path(), std::ios::binary);
        Data bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        auto result = KeyedUnarchiver::unarchiveGestures(bytes);
        EXPECT_TRUE(result.gestures || !result.problems.empty()) << entry.path();
        if (!result.gestures)
            continue;
        GestureRecognizer recognizer;
        for (const auto& [identity, gesture] : *result.gestures)
            recognizer.addGesture(*gesture);
        for (const auto& [identity, gesture] : *result.gestures)
            recognizer.recognizeGestureWithStrokes(gesture->strokes());
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}
