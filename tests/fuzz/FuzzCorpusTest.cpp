#include "FuzzEntryPoints.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace scriblo;

namespace scriblo::FuzzEntryPoints {

// Test names and failures show the parser's name rather than the entry's bytes.
void PrintTo(const Target& target, std::ostream* stream)
{
    *stream << target.name;
}

}

namespace {

class FuzzCorpusTest : public ::testing::TestWithParam<FuzzEntryPoints::Target> { };

std::string contents(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

}

// Every input a fuzzer found interesting or crashing stays as a regression case and goes
// through the same call as in the fuzzer.
TEST_P(FuzzCorpusTest, everyKeptInputIsHandledSafely)
{
    std::filesystem::path corpus = std::filesystem::path(SCRIBLO_SOURCE_DIR "/tests/fuzz/corpus") / GetParam().name;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        EXPECT_TRUE(GetParam().feed(contents(entry.path()))) << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no kept inputs in " << corpus;
}

INSTANTIATE_TEST_SUITE_P(EveryParser, FuzzCorpusTest, ::testing::ValuesIn(FuzzEntryPoints::targets().begin(), FuzzEntryPoints::targets().end()),
    [](const auto& info) { return std::string(info.param.name); });
