#include "core/AngleSearchTree.h"
#include "core/CandidateMatcher.h"
#include "core/DrawingGenerator.h"
#include "core/EquivalenceChecker.h"
#include "core/GestureLog.h"
#include "core/GestureRecognizer.h"
#include "core/ReferenceRecognizer.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <set>

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

TEST(RecognizerEquivalenceTest, realDrawingsMatchTheReference)
{
    auto folder = gesturelog::sharedGestureFolder();
    if (!folder)
        GTEST_SKIP() << "no shared gesture data at " << SCRIBLO_SHARED_DATA << "/gestures";
    for (const auto& [subfolder, archive] : { std::pair { "mmg", "mmg.tar.xz" }, std::pair { "one-dollar-unistroke", "xml_logs.tar.xz" } }) {
        auto set = readDrawings(*folder / subfolder, archive);
        ASSERT_FALSE(set.drawings.empty()) << "no drawings read from " << set.source;
        compareRealDrawings(set, 1);
    }
}

// A gesture of several drawings recognises as the reference does with each drawing
// stored as a gesture of its own, in the same order: the best drawing wins, and ties go
// to the earlier gesture and, within one, to the earlier drawing.
TEST(RecognizerEquivalenceTest, severalDrawingsPerGestureMatchTheReferenceWithEachDrawingAlone)
{
    auto folder = gesturelog::sharedGestureFolder();
    if (!folder)
        GTEST_SKIP() << "no shared gesture data at " << SCRIBLO_SHARED_DATA << "/gestures";
    auto set = readDrawings(*folder / "mmg", "mmg.tar.xz");
    ASSERT_FALSE(set.drawings.empty()) << "no drawings read from " << set.source;
    constexpr int drawingsPerGesture = 3;
    std::vector<Gesture> gestures;
    std::map<std::string, size_t> gestureOfType;
    std::set<size_t> stored;
    // Drawings spread over the users, so that a gesture's drawings differ in hand and,
    // for some types, in their number of strokes.
    for (size_t i = 0; i < set.drawings.size(); i += 97) {
        const auto& drawing = set.drawings[i];
        std::string type = gestureType(drawing.file);
        if (drawing.strokes.size() > 3)
            continue;
        auto [found, added] = gestureOfType.emplace(type, gestures.size());
        if (added)
            gestures.emplace_back(type, drawing.strokes);
        else if (gestures[found->second].drawingCount() < drawingsPerGesture)
            gestures[found->second].addDrawing(drawing.strokes);
        else
            continue;
        stored.insert(i);
    }
    GestureRecognizer recognizer;
    reference::ReferenceRecognizer literal;
    for (auto& gesture : gestures) {
        for (int32_t d = 0; d < gesture.drawingCount(); ++d)
            literal.addGesture(gesture.identity() + "#" + std::to_string(d), gesture.drawing(d));
        recognizer.addGesture(std::move(gesture));
    }
    int compared = 0;
    int matched = 0;
    int mismatches = 0;
    for (size_t i = 0; i < set.drawings.size(); i += 3) {
        const auto& strokes = set.drawings[i].strokes;
        if (strokes.size() > 3 || stored.contains(i))
            continue;
        auto result = recognizer.recognizeGestureWithStrokes(strokes);
        auto expected = literal.recognizeGestureWithStrokes(strokes);
        std::string expectedIdentity = expected.identity.substr(0, expected.identity.rfind('#'));
        bool same = result ? expected.hasResult && result->gestureIdentity() == expectedIdentity && result->score() == expected.score
                           : !expected.hasResult;
        mismatches += !same;
        EXPECT_TRUE(same || mismatches > 5) << set.drawings[i].file << ": " << (result ? result->gestureIdentity() : "-") << " "
                                            << (result ? result->score() : 0) << " instead of "
                                            << (expected.hasResult ? expected.identity : "-") << " " << expected.score;
        matched += expected.hasResult;
        ++compared;
    }
    EXPECT_EQ(mismatches, 0) << "of " << compared;
    EXPECT_GT(compared, 2000);
    EXPECT_GT(matched, compared / 2);
    std::printf("compared %d real drawings with %zu gestures of up to %d drawings, %d with a result\n", compared,
                gestureOfType.size(), drawingsPerGesture, matched);
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

namespace {

GestureStroke turned(const GestureStroke& stroke, double angle, double centreX, double centreY)
{
    GestureStroke result;
    for (const auto& point : stroke.points()) {
        double x = point.x() - centreX;
        double y = point.y() - centreY;
        result.addPoint(GesturePoint(float(x * std::cos(angle) - y * std::sin(angle) + centreX), float(x * std::sin(angle) + y * std::cos(angle) + centreY), point.strokeId()));
    }
    return result;
}

std::vector<GestureStroke> turnedDrawing(const std::vector<GestureStroke>& strokes, double angle)
{
    std::vector<GestureStroke> result;
    for (const auto& stroke : strokes)
        result.push_back(turned(stroke, angle, 500, 500));
    return result;
}

}

// Searched templates are sorted by a lower bound and passed over when it exceeds the
// best distance; equal distances must still go to the first template in list order,
// and templates one bit apart must keep their own distances.
TEST(RecognizerEquivalenceTest, tiesAndLastBitNeighboursMatchTheReference)
{
    DrawingGenerator generator(4242);
    EquivalenceChecker checker;
    std::vector<std::vector<GestureStroke>> stored;
    for (int g = 0; g < 12; ++g) {
        auto drawing = generator.drawing(g % 3 + 1);
        checker.addGesture("shape " + std::to_string(g), drawing);
        auto nudged = drawing;
        auto points = nudged[0].points();
        points[points.size() / 2].setX(std::nextafter(points[points.size() / 2].x(), 1e9f));
        nudged[0].setPoints(points);
        checker.addGesture("nudged " + std::to_string(g), nudged);
        checker.addGesture("twin " + std::to_string(g), drawing);
        stored.push_back(drawing);
    }
    for (int i = 0; i < 400; ++i) {
        const auto& drawing = stored[size_t(i) % stored.size()];
        checker.check(i % 4 == 0 ? drawing : generator.variant(drawing));
    }
    EXPECT_EQ(checker.mismatches(), 0) << "of " << checker.compared() << " drawings";
    EXPECT_GT(checker.matched(), 300);
}

// The search can end at any angle of its tree; a drawing turned against a stored one by
// each of those angles makes each the best in turn.
TEST(RecognizerEquivalenceTest, drawingsTurnedToEveryProbedAngleMatchTheReference)
{
    DrawingGenerator generator(99);
    EquivalenceChecker checker;
    std::vector<std::vector<GestureStroke>> stored;
    // Each shape is also stored turned, so that the closest rivals differ by rotation
    // alone, where the bound that passes templates over is at its tightest.
    for (int g = 0; g < 3; ++g) {
        stored.push_back(generator.drawing(g + 1));
        for (double turn : { 0.0, -0.6, -0.35, -0.15, 0.15, 0.35, 0.6 })
            checker.addGesture("shape " + std::to_string(g) + " turned " + std::to_string(turn), turnedDrawing(stored.back(), turn));
    }
    const auto& tree = AngleSearchTree::shared();
    for (int node = 0; node < AngleSearchTree::nodeCount; ++node) {
        double angle = tree.probe(node).angle;
        checker.check(turnedDrawing(stored[size_t(node) % stored.size()], -angle));
    }
    EXPECT_EQ(checker.mismatches(), 0) << "of " << checker.compared() << " drawings";
}

// A full store: every three-stroke gesture the store can hold, each with 48 templates.
TEST(RecognizerEquivalenceTest, theLargestStoreMatchesTheReference)
{
    DrawingGenerator generator(1024);
    EquivalenceChecker checker;
    std::vector<std::vector<GestureStroke>> stored;
    for (int g = 0; g < 1024; ++g) {
        stored.push_back(generator.drawing(3));
        checker.addGesture("gesture " + std::to_string(g), stored.back());
    }
    for (int i = 0; i < 24; ++i)
        checker.check(i % 3 ? generator.variant(stored[size_t(generator.integer(0, 1023))]) : generator.drawing(3));
    EXPECT_EQ(checker.mismatches(), 0) << "of " << checker.compared() << " drawings";
    EXPECT_GT(checker.matched(), 8);
}

namespace {

void addLine(GestureStroke& stroke, double fromX, double fromY, double toX, double toY)
{
    for (int i = 0; i < 30; ++i)
        stroke.addPoint(GesturePoint(float(fromX + (toX - fromX) * i / 30), float(fromY + (toY - fromY) * i / 30), 1));
}

// A lead-in at `angle`, then the outline of the square that scaling maps onto itself,
// so that the processed start direction keeps the drawn angle.
GestureStroke leadAndSquare(double angle)
{
    GestureStroke stroke;
    addLine(stroke, 500, 500, 500 + 450 * std::cos(angle), 500 + 450 * std::sin(angle));
    addLine(stroke, 500 + 450 * std::cos(angle), 500 + 450 * std::sin(angle), 0, 0);
    addLine(stroke, 0, 0, 1000, 0);
    addLine(stroke, 1000, 0, 1000, 1000);
    addLine(stroke, 1000, 1000, 0, 1000);
    addLine(stroke, 0, 1000, 0, 0);
    stroke.addPoint(GesturePoint(0, 0, 1));
    return stroke;
}

}

// The start-direction test is decided from the dot product away from 40° and by the arc
// cosine near it; drawings across the edge must fall on the same side as literally.
TEST(RecognizerEquivalenceTest, startDirectionsAroundTheToleranceMatchTheReference)
{
    EquivalenceChecker checker;
    checker.addGesture("square", { leadAndSquare(0) });
    for (int step = -200; step <= 200; ++step)
        checker.check({ leadAndSquare((40.0 + step * 0.002) * 3.141592653589793 / 180) });
    EXPECT_EQ(checker.mismatches(), 0) << "of " << checker.compared() << " drawings";
    EXPECT_GT(checker.matched(), 100);
    EXPECT_LT(checker.matched(), 300);
}
