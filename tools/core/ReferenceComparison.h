#pragma once

#include "core/PinnedRecognizer.h"
#include "core/ReferenceRecognizer.h"
#include "core/RecognizerScenarios.h"

#include <optional>
#include <string>
#include <vector>

namespace scriblo::equivalence {

// Runs a scenario on the recognizer, as its pinned test does, and on the literal
// reference beside it, and notes where the two differ: a template, a processed drawing,
// a searched template's distance with any kernel, or a result.
class ReferenceComparison : public ScenarioSteps {
public:
    explicit ReferenceComparison(const RecognizerScenario& scenario);

    void addGesture(const Gesture& gesture) override;
    void removeGestureWithIdentity(const std::string& identity) override;
    void check(const std::vector<GestureStroke>& strokes) override;
    void measure(const GestureStroke& candidate, const GestureStroke& templateStroke) override;

    PinnedRecognizer& pinned() { return m_pinned; }
    int differenceCount() const { return m_differenceCount; }
    // The first few differences, each with the drawing it was found on.
    const std::vector<std::string>& differences() const { return m_differences; }

private:
    std::optional<std::string> compare(const std::vector<GestureStroke>& strokes);
    void note(const std::optional<std::string>& difference, const std::vector<GestureStroke>& strokes);

    PinnedRecognizer m_pinned;
    reference::ReferenceRecognizer m_reference;
    int m_differenceCount { 0 };
    std::vector<std::string> m_differences;
};

}
