#include "core/EquivalenceChecker.h"

#include "core/CandidateMatcher.h"

#include <bit>
#include <cstdio>

namespace scriblo::equivalence {

using namespace scriblo::reference;

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

void EquivalenceChecker::addGesture(const std::string& identity, const std::vector<GestureStroke>& strokes)
{
    auto added = m_production.addGesture(Gesture(identity, strokes));
    m_reference.addGesture(identity, strokes);
    const auto& expected = m_reference.loadedGestures().back().templates;
    ASSERT_EQ(added->templates(0).size(), expected.size()) << identity;
    for (size_t t = 0; t < expected.size(); ++t)
        ASSERT_TRUE(sameTemplate(added->templates(0)[t], expected[t])) << identity << " template " << t;
}

void EquivalenceChecker::removeGestureWithIdentity(const std::string& identity)
{
    m_production.removeGestureWithIdentity(identity);
    m_reference.removeGestureWithIdentity(identity);
}

bool EquivalenceChecker::check(const std::vector<GestureStroke>& strokes)
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

std::optional<std::string> EquivalenceChecker::compare(const std::vector<GestureStroke>& strokes)
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

// Replays the search with the production matcher, in the recognizer's order and batches,
// with every kernel this processor runs, so that each lane layout is held to the
// reference distances as it is used.
std::optional<std::string> EquivalenceChecker::compareDistances(const std::vector<GestureStroke>& strokes, const ReferenceRecognition& expected)
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
    auto gestures = m_production.loadedGestures();
    std::vector<CandidateMatcher::Points> searched;
    for (const auto& entry : expected.searched) {
        const auto& gestureTemplate = (*gestures)[entry.gestureIndex]->templates(0)[entry.templateIndex];
        searched.push_back({ gestureTemplate.xs(), gestureTemplate.ys(), gestureTemplate.pointCount() });
    }
    m_searchedTemplates += searched.size();
    std::vector<float> distances(searched.size());
    GestureStroke processed = candidate.stroke();
    for (auto kernel : CandidateMatcher::availableKernels()) {
        CandidateMatcher(processed, kernel).distancesAtBestAngle(searched, distances);
        for (size_t i = 0; i < searched.size(); ++i) {
            if (bitsOf(distances[i]) != bitsOf(expected.searched[i].distance))
                return describeMismatch(expected, i, distances[i], kernel);
        }
    }
    return std::nullopt;
}

std::string EquivalenceChecker::describeMismatch(const ReferenceRecognition& expected, size_t index, float distance, CandidateMatcher::Kernel kernel) const
{
    const auto& searched = expected.searched[index];
    bool isBest = searched.templateIndex == expected.bestTemplateIndex && searched.gestureIndex == expected.bestGestureIndex;
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "gesture %s template %zu, kernel %d: production distance %.9g (0x%08x), reference %.9g (0x%08x)%s",
        (*m_production.loadedGestures())[searched.gestureIndex]->identity().c_str(), searched.templateIndex, int(kernel),
        double(distance), bitsOf(distance), double(searched.distance), bitsOf(searched.distance), isBest ? " (the best)" : "");
    return buffer;
}

}
