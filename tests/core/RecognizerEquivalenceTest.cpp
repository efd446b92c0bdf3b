#include "core/CandidateMatcher.h"
#include "core/DrawingGenerator.h"
#include "core/EquivalenceChecker.h"
#include "core/GestureLog.h"
#include "core/ReferenceRecognizer.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>

using namespace scriblo;
using namespace scriblo::equivalence;

TEST(RecognizerEquivalenceTest, generatedDrawingsMatchTheReference)
{
    DrawingGenerator generator(20240611);
    EquivalenceChecker checker;
    std::vector<std::vector<GestureStroke>> stored;
    for (int g = 0; g < 24; ++g) {
        stored.push_back(generator.drawing(g % 3 + 1));
        checker.addGesture("gesture " + std::to_string(g), stored.back());
    }
    // Equal shapes under other identities decide ties by order; re-adding moves a gesture
    // behind the others; an empty identity never makes a result.
    checker.addGesture("copy of 4", stored[4]);
    checker.addGesture("copy of 5", generator.variant(stored[5]));
    checker.addGesture("gesture 1", stored[1]);
    checker.addGesture("", stored[7]);
    checker.removeGestureWithIdentity("gesture 10");
    checker.removeGestureWithIdentity("not loaded");

    for (int i = 0; i < 3000; ++i) {
        int strokeCount = i % 3 + 1;
        int kind = generator.integer(0, 19);
        std::vector<GestureStroke> drawing;
        if (kind < 8)
            drawing = generator.variant(stored[size_t(generator.integer(0, 7) * 3 + strokeCount - 1)]);
        else if (kind < 10)
            drawing = stored[size_t(generator.integer(0, 7) * 3 + strokeCount - 1)];
        else if (kind < 12)
            drawing = generator.sparseDrawing(strokeCount, generator.integer(9, 13));
        else
            drawing = generator.drawing(strokeCount);
        checker.check(drawing);
    }
    EXPECT_EQ(checker.mismatches(), 0) << "of " << checker.compared() << " drawings";
    // The generated set must actually reach the search and produce results.
    EXPECT_GT(checker.matched(), 500);
    EXPECT_GT(checker.searchedTemplates(), 20000u);
    std::printf("compared %d generated drawings, %d with a result, %zu template searches\n",
        checker.compared(), checker.matched(), checker.searchedTemplates());
}

namespace {

struct DrawingSet {
    std::vector<gesturelog::DrawnGesture> drawings;
    std::string source;
};

// The full set unpacked into a scratch folder, or the plain sample folder when the
// archive cannot be unpacked.
DrawingSet readDrawings(const std::filesystem::path& folder, const std::string& archive)
{
    DrawingSet set;
    gesturelog::UnpackedArchive unpacked(folder / archive);
    std::filesystem::path source = unpacked.folder() ? *unpacked.folder() : folder / "sample";
    set.source = unpacked.folder() ? archive : (folder / "sample").string();
    for (const auto& file : gesturelog::gestureLogFiles(source)) {
        if (auto drawing = gesturelog::readGestureLog(file))
            set.drawings.push_back(std::move(*drawing));
    }
    return set;
}

std::string gestureType(const std::string& file)
{
    // "10-stylus-medium-H-01.xml" and "arrow01.xml" both name the type before the number.
    std::string stem = file.substr(0, file.find('.'));
    size_t end = stem.find_last_not_of("0123456789");
    stem = stem.substr(0, end == std::string::npos ? 0 : end + 1);
    if (!stem.empty() && stem.back() == '-')
        stem.pop_back();
    size_t dash = stem.find_last_of('-');
    return dash == std::string::npos ? stem : stem.substr(dash + 1);
}

// Stores the first drawing of each type, then compares every `stride`-th other drawing.
void compareRealDrawings(const DrawingSet& set, size_t stride)
{
    EquivalenceChecker checker;
    std::map<std::string, size_t> storedTypes;
    for (size_t i = 0; i < set.drawings.size(); ++i) {
        const auto& drawing = set.drawings[i];
        std::string type = gestureType(drawing.file);
        if (drawing.strokes.size() <= 3 && !storedTypes.contains(type)) {
            storedTypes[type] = i;
            checker.addGesture(type, drawing.strokes);
        }
    }
    for (size_t i = 0; i < set.drawings.size(); i += stride) {
        if (set.drawings[i].strokes.size() <= 3)
            checker.check(set.drawings[i].strokes);
    }
    EXPECT_EQ(checker.mismatches(), 0) << "of " << checker.compared() << " drawings from " << set.source;
    EXPECT_GT(checker.matched(), checker.compared() / 2);
    std::printf("compared %d real drawings from %s (%zu types stored), %d with a result, %zu template searches\n",
        checker.compared(), set.source.c_str(), storedTypes.size(), checker.matched(), checker.searchedTemplates());
}

}

TEST(RecognizerEquivalenceTest, realMultistrokeDrawingsMatchTheReference)
{
    auto folder = gesturelog::sharedGestureFolder();
    if (!folder)
        GTEST_SKIP() << "no shared gesture data at " << SCRIBLO_SHARED_DATA << "/gestures";
    auto set = readDrawings(*folder / "mmg", "mmg.tar.xz");
    ASSERT_FALSE(set.drawings.empty()) << "no drawings read from " << set.source;
    compareRealDrawings(set, 1);
}

TEST(RecognizerEquivalenceTest, realUnistrokeDrawingsMatchTheReference)
{
    auto folder = gesturelog::sharedGestureFolder();
    if (!folder)
        GTEST_SKIP() << "no shared gesture data at " << SCRIBLO_SHARED_DATA << "/gestures";
    auto set = readDrawings(*folder / "one-dollar-unistroke", "xml_logs.tar.xz");
    ASSERT_FALSE(set.drawings.empty()) << "no drawings read from " << set.source;
    compareRealDrawings(set, 1);
}

// The matcher measures most points in float arithmetic; that is exact only because the
// float square root of an integer below 2^24 equals its double square root narrowed.
TEST(RecognizerEquivalenceTest, floatSquareRootOfSmallIntegersEqualsNarrowedDoubleRoot)
{
    uint32_t differing = 0;
    for (uint32_t n = 0; n <= (1u << 24); ++n) {
        if (bitsOf(std::sqrt(float(n))) != bitsOf(float(std::sqrt(double(n)))))
            ++differing;
    }
    EXPECT_EQ(differing, 0u);
}

// Differences too large for float arithmetic take the exact route; strokes straight from
// the drawing space (not preprocessed) reach it.
TEST(RecognizerEquivalenceTest, farApartStrokesMatchTheReference)
{
    DrawingGenerator generator(7);
    for (float reach : { 1000.0f, 2896.0f, 2897.0f, 4000.0f, 60000.0f, 3e9f }) {
        for (int round = 0; round < 20; ++round) {
            GestureStroke candidate;
            GestureStroke templateStroke;
            for (int i = 0; i < 160; ++i) {
                candidate.addPoint(GesturePoint(float(generator.uniform(-reach, reach)), float(generator.uniform(-10, 10)), 1));
                templateStroke.addPoint(GesturePoint(float(generator.uniform(-10, 10)), float(generator.uniform(-reach, reach)), 1));
            }
            float expected = reference::distanceAtBestAngle(candidate, templateStroke);
            for (auto kernel : CandidateMatcher::availableKernels()) {
                CandidateMatcher matcher(candidate, kernel);
                EXPECT_EQ(bitsOf(matcher.distanceAtBestAngle(templateStroke)), bitsOf(expected)) << "reach " << reach << " kernel " << int(kernel);
            }
        }
    }
}
