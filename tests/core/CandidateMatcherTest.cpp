#include "core/CandidateMatcher.h"
#include "core/DrawingGenerator.h"
#include "core/GestureTemplate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::equivalence;

namespace {

// Templates of copies turned by 0.35 to 0.75 rad either way (the closest lie at the edge
// of the search's range, where a point moves furthest), the one at `twin` twice, so that
// two tie.
std::vector<GestureTemplate> turnedTemplates(const GestureStroke& drawn, DrawingGenerator& generator, int count, size_t twin)
{
    std::vector<GestureTemplate> templates;
    for (int c = 0; c < count; ++c) {
        double angle = generator.uniform(0.35, 0.75) * (generator.chance(0.5) ? 1 : -1);
        GestureStroke copy;
        for (const auto& point : drawn.points()) {
            double x = point.x() + generator.uniform(-3, 3);
            double y = point.y() + generator.uniform(-3, 3);
            copy.addPoint(GesturePoint(float(x * std::cos(angle) - y * std::sin(angle)), float(x * std::sin(angle) + y * std::cos(angle)), 1));
        }
        templates.emplace_back(copy);
    }
    templates.push_back(templates[twin]);
    return templates;
}

std::vector<CandidateMatcher::Points> pointsOf(const std::vector<GestureTemplate>& templates)
{
    std::vector<CandidateMatcher::Points> points;
    for (const auto& gestureTemplate : templates)
        points.push_back({ gestureTemplate.xs(), gestureTemplate.ys(), gestureTemplate.pointCount() });
    return points;
}

}

// Templates that differ from one another mostly by rotation put the bound that passes
// them over at its tightest; whatever it skips, the winner must be the first template
// with the smallest distance of an exhaustive search, and duplicates must tie. So too
// with the template points' distances from the origin taken beforehand, and however the
// templates are split among threads: twins of the winner in its own run and in a later
// one tie and must not displace it.
TEST(CandidateMatcherTest, passingTemplatesOverOrSplittingThemAmongThreadsNeverChangesTheWinner)
{
    DrawingGenerator generator(515);
    for (int round = 0; round < 100; ++round) {
        GestureStroke drawn = generator.drawing(1)[0];
        GestureStroke candidate = GestureTemplate(drawn).stroke();
        auto templates = turnedTemplates(drawn, generator, 24, size_t(round) % 24);
        std::vector<float> distances(templates.size());
        CandidateMatcher(candidate).distancesAtBestAngle(pointsOf(templates), distances);
        size_t first = size_t(std::min_element(distances.begin(), distances.end()) - distances.begin());
        GestureTemplate twin = templates[first];
        templates.insert(templates.begin() + long(std::min(first + 1 + size_t(round % 7), templates.size())), twin);
        templates.push_back(twin);
        auto points = pointsOf(templates);
        auto prepared = points;
        std::vector<float> radii;
        CandidateMatcher::prepareBounds(prepared, radii);
        for (auto kernel : CandidateMatcher::availableKernels()) {
            CandidateMatcher matcher(candidate, kernel);
            for (const auto& searched : { points, prepared }) {
                auto best = matcher.bestTemplate(searched);
                ASSERT_TRUE(best);
                EXPECT_EQ(best->index, first) << "round " << round << " kernel " << int(kernel) << " prepared " << (searched[0].radii != nullptr);
                EXPECT_EQ(best->distance, distances[first]);
            }
        }
        for (size_t workers = 1; workers <= 6; ++workers) {
            auto split = CandidateMatcher::bestTemplateInParallel(candidate, points, workers);
            ASSERT_TRUE(split);
            EXPECT_EQ(split->index, first) << "round " << round << ", " << workers << " runs";
            EXPECT_EQ(split->distance, distances[first]);
        }
    }
    EXPECT_FALSE(CandidateMatcher::bestTemplateInParallel(GestureTemplate(generator.drawing(1)[0]).stroke(), {}, 3));
}

// Several searches of one candidate share the lanes, each with its own ceiling and its
// own limit on summing bounds: within its ceiling each finds the exhaustive winner, the
// first of equals; beyond it, nothing within the ceiling.
TEST(CandidateMatcherTest, searchesSharingTheLanesKeepEachWinnerWithinItsCeiling)
{
    DrawingGenerator generator(919);
    for (int round = 0; round < 30; ++round) {
        GestureStroke drawn = generator.drawing(1)[0];
        auto templates = turnedTemplates(drawn, generator, 40, size_t(round) % 8);
        auto points = pointsOf(templates);
        std::vector<float> radii;
        if (round % 2)
            CandidateMatcher::prepareBounds(points, radii);
        CandidateMatcher matcher(GestureTemplate(drawn).stroke());
        std::vector<float> distances(points.size());
        matcher.distancesAtBestAngle(points, distances);
        constexpr float anywhere = std::numeric_limits<float>::infinity();
        std::vector<CandidateMatcher::Search> searches;
        for (size_t first = 0, s = 0; first < points.size(); first += 3 + s % 9, ++s) {
            auto part = std::span(points).subspan(first, std::min<size_t>(3 + s % 9, points.size() - first));
            float closest = *std::min_element(distances.begin() + long(first), distances.begin() + long(first + part.size()));
            float ceilings[] = { anywhere, closest, std::nextafter(closest, 0.0f), closest * 1.3f, closest * 0.5f };
            searches.push_back({ part, ceilings[s % 5], s % 2 ? closest * 0.5f : anywhere, std::nullopt });
        }
        matcher.bestTemplates(searches);
        for (const auto& search : searches) {
            size_t first = size_t(search.templates.data() - points.data());
            auto closest = std::min_element(distances.begin() + long(first), distances.begin() + long(first + search.templates.size()));
            if (*closest > search.ceiling) {
                EXPECT_TRUE(!search.best || search.best->distance > search.ceiling) << "round " << round;
                continue;
            }
            ASSERT_TRUE(search.best) << "round " << round;
            EXPECT_EQ(search.best->index, size_t(closest - distances.begin()) - first) << "round " << round;
            EXPECT_EQ(search.best->distance, *closest);
        }
    }
}

// Lanes of one batch may hold templates shorter or longer than the candidate and than one
// another, of lengths that fill no whole group of lanes: each must be measured over its
// own points only, as it would be alone and without lanes.
TEST(CandidateMatcherTest, templatesOfMixedLengthsInOneBatchMeasureAsAlone)
{
    DrawingGenerator generator(4242);
    GestureStroke candidate;
    for (int i = 0; i < 37; ++i)
        candidate.addPoint(GesturePoint(float(generator.uniform(-400, 400)), float(generator.uniform(-400, 400)), 1));
    std::vector<std::vector<float>> coordinates;
    for (int32_t count : { 37, 5, 40, 1, 36, 23, 3, 41, 17 }) {
        auto& xy = coordinates.emplace_back();
        for (int32_t i = 0; i < 2 * count; ++i)
            xy.push_back(float(generator.uniform(-400, 400)));
    }
    std::vector<CandidateMatcher::Points> points;
    for (const auto& xy : coordinates) {
        int32_t count = int32_t(xy.size() / 2);
        points.push_back({ xy.data(), xy.data() + count, count });
    }
    std::vector<float> alone;
    for (const auto& one : points) {
        float distance = 0;
        CandidateMatcher(candidate, CandidateMatcher::Kernel::portable).distancesAtBestAngle(std::span(&one, 1), std::span(&distance, 1));
        alone.push_back(distance);
    }
    for (auto kernel : CandidateMatcher::availableKernels()) {
        std::vector<float> together(points.size());
        CandidateMatcher(candidate, kernel).distancesAtBestAngle(points, together);
        for (size_t t = 0; t < points.size(); ++t)
            EXPECT_EQ(together[t], alone[t]) << "template " << t << " kernel " << int(kernel);
    }
}
