#include "core/CandidateMatcher.h"
#include "core/GestureLog.h"
#include "core/GestureRecognizer.h"
#include "core/GestureTemplate.h"
#include "core/ReferenceRecognizer.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <random>

using namespace scriblo;
using namespace scriblo::reference;

namespace {

uint32_t bitsOf(float value)
{
    return std::bit_cast<uint32_t>(value);
}

std::string describe(const std::vector<GestureStroke>& strokes)
{
    std::string text = "{\"strokes\":[";
    char buffer[64];
    for (size_t s = 0; s < strokes.size(); ++s) {
        text += s ? ",[" : "[";
        for (int i = 0; i < strokes[s].pointCount(); ++i) {
            const auto& point = strokes[s].pointAtIndex(i);
            std::snprintf(buffer, sizeof buffer, "%s[%.9g,%.9g]", i ? "," : "", double(point.x()), double(point.y()));
            text += buffer;
        }
        text += "]";
    }
    return text + "]}";
}

testing::AssertionResult sameStroke(const GestureStroke& production, const GestureStroke& expected)
{
    if (production.pointCount() != expected.pointCount())
        return testing::AssertionFailure() << "point counts " << production.pointCount() << " and " << expected.pointCount();
    for (int i = 0; i < production.pointCount(); ++i) {
        const auto& p = production.pointAtIndex(i);
        const auto& e = expected.pointAtIndex(i);
        if (bitsOf(p.x()) != bitsOf(e.x()) || bitsOf(p.y()) != bitsOf(e.y()) || p.strokeId() != e.strokeId())
            return testing::AssertionFailure() << "point " << i << ": " << p.description() << " instead of " << e.description();
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult sameTemplate(const GestureTemplate& production, const ReferenceTemplate& expected)
{
    auto stroke = sameStroke(production.stroke(), expected.stroke);
    if (!stroke)
        return stroke << " in the processed stroke";
    const auto& vector = production.startUnitVector();
    if (bitsOf(vector.x()) != bitsOf(expected.startUnitVector.x()) || bitsOf(vector.y()) != bitsOf(expected.startUnitVector.y()))
        return testing::AssertionFailure() << "start vector " << vector.description() << " instead of " << expected.startUnitVector.description();
    return testing::AssertionSuccess();
}

// Both recognizers hold the same gestures in the same order, so indexes correspond.
class EquivalenceChecker {
public:
    void addGesture(const std::string& identity, const std::vector<GestureStroke>& strokes)
    {
        auto added = m_production.addGesture(Gesture(identity, strokes));
        m_reference.addGesture(identity, strokes);
        const auto& expected = m_reference.loadedGestures().back().templates;
        ASSERT_EQ(added->templates().size(), expected.size()) << identity;
        for (size_t t = 0; t < expected.size(); ++t)
            ASSERT_TRUE(sameTemplate(added->templates()[t], expected[t])) << identity << " template " << t;
    }

    void removeGestureWithIdentity(const std::string& identity)
    {
        m_production.removeGestureWithIdentity(identity);
        m_reference.removeGestureWithIdentity(identity);
    }

    // Compares one drawing; the drawing is printed in the scriblo JSON Lines form on failure.
    bool check(const std::vector<GestureStroke>& strokes)
    {
        ++m_compared;
        auto failure = compare(strokes);
        if (failure) {
            ++m_mismatches;
            if (m_mismatches <= 5)
                ADD_FAILURE() << *failure << "\ndrawing: " << describe(strokes);
        }
        return !failure;
    }

    int compared() const { return m_compared; }
    int matched() const { return m_matched; }
    int mismatches() const { return m_mismatches; }
    size_t searchedTemplates() const { return m_searchedTemplates; }

private:
    std::optional<std::string> compare(const std::vector<GestureStroke>& strokes)
    {
        auto expected = m_reference.recognizeGestureWithStrokes(strokes);
        auto actual = m_production.recognizeGestureWithStrokes(strokes);
        char buffer[256];
        if (actual.has_value() != expected.hasResult)
            return std::string(actual ? "production found " + actual->gestureIdentity() : "production found nothing")
                + (expected.hasResult ? ", reference found " + expected.identity : ", reference found nothing");
        if (actual) {
            ++m_matched;
            if (actual->gestureIdentity() != expected.identity || actual->score() != expected.score) {
                std::snprintf(buffer, sizeof buffer, "production %s score %d, reference %s score %d (distance %.9g)",
                    actual->gestureIdentity().c_str(), actual->score(), expected.identity.c_str(), expected.score, double(expected.bestDistance));
                return std::string(buffer);
            }
        }
        return compareDistances(strokes, expected);
    }

    // Replays the search with the production matcher, in the recognizer's order, so that
    // the matcher's reuse of rotations between templates is exercised as it is in use.
    std::optional<std::string> compareDistances(const std::vector<GestureStroke>& strokes, const ReferenceRecognition& expected)
    {
        GestureStroke joined;
        for (const auto& stroke : strokes)
            for (const auto& point : stroke.points())
                joined.addPoint(point);
        if (joined.pointCount() < GestureRecognizer::minimumCandidatePoints)
            return std::nullopt;
        GestureTemplate candidate(joined);
        auto candidateCheck = sameTemplate(candidate, makeTemplate(joined));
        if (!candidateCheck)
            return std::string("candidate differs: ") + candidateCheck.message();
        CandidateMatcher matcher(candidate.stroke());
        auto gestures = m_production.loadedGestures();
        m_searchedTemplates += expected.searched.size();
        for (const auto& searched : expected.searched) {
            const auto& gestureTemplate = (*gestures)[searched.gestureIndex]->templates()[searched.templateIndex];
            float distance = matcher.distanceAtBestAngle(gestureTemplate.stroke());
            if (bitsOf(distance) != bitsOf(searched.distance)) {
                char buffer[256];
                std::snprintf(buffer, sizeof buffer, "gesture %s template %zu: production distance %.9g (0x%08x), reference %.9g (0x%08x)%s",
                    (*gestures)[searched.gestureIndex]->identity().c_str(), searched.templateIndex, double(distance), bitsOf(distance),
                    double(searched.distance), bitsOf(searched.distance),
                    searched.templateIndex == expected.bestTemplateIndex && searched.gestureIndex == expected.bestGestureIndex ? " (the best)" : "");
                return std::string(buffer);
            }
        }
        return std::nullopt;
    }

    GestureRecognizer m_production;
    ReferenceRecognizer m_reference;
    int m_compared { 0 };
    int m_matched { 0 };
    int m_mismatches { 0 };
    size_t m_searchedTemplates { 0 };
};

// Seeded drawings meant to reach the awkward corners of the arithmetic: dense sub-unit
// spacing, repeated points, lines, tiny and huge drawings, rotated and reordered copies.
class DrawingGenerator {
public:
    explicit DrawingGenerator(uint32_t seed)
        : m_random(seed) { }

    double uniform(double low, double high) { return low + (high - low) * (double(m_random()) / 4294967296.0); }
    int integer(int low, int high) { return low + int(m_random() % uint32_t(high - low + 1)); }
    bool chance(double probability) { return uniform(0, 1) < probability; }

    std::vector<GestureStroke> drawing(int strokeCount)
    {
        std::vector<GestureStroke> strokes;
        for (int s = 0; s < strokeCount; ++s)
            strokes.push_back(stroke(s + 1));
        return strokes;
    }

    // The same shape drawn again: turned, moved, resized, with jitter, and sometimes with
    // strokes in another order or direction.
    std::vector<GestureStroke> variant(const std::vector<GestureStroke>& strokes)
    {
        double angle = chance(0.2) ? 0 : uniform(-0.8, 0.8);
        double scale = chance(0.2) ? 1 : uniform(0.3, 2.5);
        double jitter = chance(0.3) ? 0 : uniform(0, 6);
        double moveX = uniform(-200, 200);
        double moveY = uniform(-200, 200);
        std::vector<GestureStroke> result;
        for (const auto& stroke : strokes) {
            GestureStroke changed;
            for (const auto& point : stroke.points()) {
                double x = point.x() * scale;
                double y = point.y() * scale;
                changed.addPoint(GesturePoint(float(x * std::cos(angle) - y * std::sin(angle) + moveX + uniform(-jitter, jitter)),
                    float(x * std::sin(angle) + y * std::cos(angle) + moveY + uniform(-jitter, jitter)), point.strokeId()));
            }
            if (chance(0.15))
                changed = reversed(changed);
            result.push_back(changed);
        }
        if (result.size() > 1 && chance(0.2))
            std::swap(result[0], result[result.size() - 1]);
        return result;
    }

    // Exactly `count` points spread over the strokes, at least one per stroke.
    std::vector<GestureStroke> sparseDrawing(int strokeCount, int count)
    {
        auto strokes = std::vector<GestureStroke>(size_t(strokeCount));
        for (int i = 0; i < count; ++i) {
            int s = i < strokeCount ? i : integer(0, strokeCount - 1);
            strokes[size_t(s)].addPoint(GesturePoint(float(uniform(0, 1000)), float(uniform(0, 1000)), s + 1));
        }
        return strokes;
    }

    static GestureStroke reversed(const GestureStroke& stroke)
    {
        return GestureStroke(std::vector<GesturePoint>(stroke.points().rbegin(), stroke.points().rend()));
    }

private:
    GestureStroke stroke(int strokeId)
    {
        static constexpr double spacings[] = { 0.2, 0.5, 0.9, 1.0, 1.3, 2.0, 3.7, 8.0, 25.0, 90.0 };
        double spacing = spacings[integer(0, 9)];
        double size = chance(0.1) ? uniform(1, 12) : uniform(20, 900);
        double originX = uniform(-50, 1000);
        double originY = uniform(-50, 1000);
        std::vector<std::pair<double, double>> corners;
        switch (integer(0, 4)) {
        case 0: // a line, often exactly horizontal or vertical
            corners = { { 0, 0 }, chance(0.5) ? std::pair { size, chance(0.5) ? 0.0 : uniform(0, size / 5) } : std::pair { 0.0, size } };
            break;
        case 1: // an arc
            for (int i = 0, n = integer(4, 16); i <= n; ++i) {
                double turn = uniform(1, 6.3) * i / n;
                corners.emplace_back(size / 2 * std::cos(turn), size / 2 * std::sin(turn));
            }
            break;
        case 2: // all points at one place
            return GestureStroke(std::vector<GesturePoint>(size_t(integer(1, 20)), GesturePoint(float(originX), float(originY), strokeId)));
        default: // a zigzag
            for (int i = 0, n = integer(2, 6); i < n; ++i)
                corners.emplace_back(uniform(0, size), uniform(0, size));
        }
        GestureStroke result;
        result.addPoint(GesturePoint(float(originX + corners[0].first), float(originY + corners[0].second), strokeId));
        for (size_t c = 1; c < corners.size(); ++c) {
            double dx = corners[c].first - corners[c - 1].first;
            double dy = corners[c].second - corners[c - 1].second;
            int steps = std::max(1, std::min(200, int(std::hypot(dx, dy) / spacing)));
            for (int i = 1; i <= steps; ++i) {
                GesturePoint point(float(originX + corners[c - 1].first + dx * i / steps), float(originY + corners[c - 1].second + dy * i / steps), strokeId);
                result.addPoint(point);
                if (chance(0.05))
                    result.addPoint(point);
            }
        }
        return result;
    }

    std::mt19937 m_random;
};

}

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
            CandidateMatcher matcher(candidate);
            float expected = reference::distanceAtBestAngle(candidate, templateStroke);
            EXPECT_EQ(bitsOf(matcher.distanceAtBestAngle(templateStroke)), bitsOf(expected)) << "reach " << reach;
        }
    }
}
