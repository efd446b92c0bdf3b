#include "core/ReferenceComparison.h"

#include <bit>
#include <cstdio>

namespace scriblo::equivalence {

using namespace scriblo::reference;

namespace {

bool sameBits(float a, float b)
{
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

// The drawing in the JSON Lines form that `scriblo gestures recognize` reads.
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

std::optional<std::string> compareStrokes(const GestureStroke& production, const GestureStroke& expected)
{
    if (production.pointCount() != expected.pointCount())
        return "point counts " + std::to_string(production.pointCount()) + " and " + std::to_string(expected.pointCount());
    for (int i = 0; i < production.pointCount(); ++i) {
        const auto& p = production.pointAtIndex(i);
        const auto& e = expected.pointAtIndex(i);
        if (!sameBits(p.x(), e.x()) || !sameBits(p.y(), e.y()) || p.strokeId() != e.strokeId())
            return "point " + std::to_string(i) + ": " + p.description() + " instead of " + e.description();
    }
    return std::nullopt;
}

std::optional<std::string> comparePrepared(const GestureStroke& points, const GesturePoint& start, const ReferenceTemplate& expected)
{
    if (auto difference = compareStrokes(points, expected.stroke))
        return *difference + " in the processed stroke";
    if (!sameBits(start.x(), expected.startUnitVector.x()) || !sameBits(start.y(), expected.startUnitVector.y()))
        return "start vector " + start.description() + " instead of " + expected.startUnitVector.description();
    return std::nullopt;
}

}

ReferenceComparison::ReferenceComparison(const RecognizerScenario& scenario)
    : m_pinned(scenario.checksPerLine)
{
}

// A gesture of several drawings is, to the reference, one gesture per drawing in the
// same order: the best drawing wins, and ties go to the earlier gesture and, within one,
// to the earlier drawing.
void ReferenceComparison::addGesture(const Gesture& gesture)
{
    auto stored = m_pinned.add(gesture);
    for (int32_t d = 0; d < stored->drawingCount(); ++d) {
        std::string identity = stored->drawingCount() > 1 ? gesture.identity() + "#" + std::to_string(d) : gesture.identity();
        m_reference.addGesture(identity, stored->drawing(d));
        const auto& expected = m_reference.loadedGestures().back().templates;
        const auto& templates = stored->templates(d);
        if (templates.size() != expected.size()) {
            note(identity + ": " + std::to_string(templates.size()) + " templates", stored->drawing(d));
            continue;
        }
        for (size_t t = 0; t < expected.size(); ++t) {
            auto difference = comparePrepared(templates[t].stroke(), templates.startUnitVector(t), expected[t]);
            note(difference ? std::optional(identity + " template " + std::to_string(t) + ": " + *difference) : std::nullopt,
                 stored->drawing(d));
        }
    }
}

void ReferenceComparison::removeGestureWithIdentity(const std::string& identity)
{
    m_pinned.removeGestureWithIdentity(identity);
    m_reference.removeGestureWithIdentity(identity);
}

void ReferenceComparison::check(const std::vector<GestureStroke>& strokes)
{
    m_pinned.check(strokes);
    note(compare(strokes), strokes);
}

std::optional<std::string> ReferenceComparison::compare(const std::vector<GestureStroke>& strokes)
{
    auto expected = m_reference.recognizeGestureWithStrokes(strokes);
    const auto& actual = m_pinned.lastResult();
    std::string expectedIdentity = expected.identity.substr(0, expected.identity.rfind('#'));
    char buffer[256];
    if (actual.has_value() != expected.hasResult || (actual && (actual->gestureIdentity() != expectedIdentity || actual->score() != expected.score))) {
        std::snprintf(buffer, sizeof buffer, "recognizer %s score %d, reference %s score %d (distance %.9g)",
                      actual ? actual->gestureIdentity().c_str() : "-", actual ? actual->score() : 0,
                      expected.hasResult ? expected.identity.c_str() : "-", expected.score, double(expected.bestDistance));
        return std::string(buffer);
    }
    auto candidate = GestureRecognizer::candidateOf(strokes);
    if (!candidate)
        return std::nullopt;
    GestureStroke joined;
    for (const auto& stroke : strokes)
        for (const auto& point : stroke.points())
            joined.addPoint(point);
    if (auto difference = comparePrepared(candidate->points, candidate->startUnitVector, makeTemplate(joined)))
        return "candidate: " + *difference;
    const auto& distances = m_pinned.lastDistances();
    if (distances.size() != expected.searched.size())
        return std::to_string(distances.size()) + " templates searched, not " + std::to_string(expected.searched.size());
    for (size_t i = 0; i < distances.size(); ++i) {
        const auto& searched = expected.searched[i];
        if (!sameBits(distances[i], searched.distance)) {
            std::snprintf(buffer, sizeof buffer, "gesture %s template %zu: distance %a, reference %a",
                          m_reference.loadedGestures()[searched.gestureIndex].identity.c_str(), searched.templateIndex,
                          double(distances[i]), double(searched.distance));
            return std::string(buffer);
        }
    }
    return std::nullopt;
}

void ReferenceComparison::measure(const GestureStroke& candidate, const GestureStroke& templateStroke)
{
    m_pinned.measure(candidate, templateStroke);
    float expected = distanceAtBestAngle(candidate, templateStroke);
    float actual = m_pinned.lastDistances().front();
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "distance %a, reference %a", double(actual), double(expected));
    note(sameBits(actual, expected) ? std::nullopt : std::optional<std::string>(buffer), { candidate, templateStroke });
}

void ReferenceComparison::note(const std::optional<std::string>& difference, const std::vector<GestureStroke>& strokes)
{
    if (difference && ++m_differenceCount <= 5)
        m_differences.push_back(*difference + "\ndrawing: " + describe(strokes));
}

}
