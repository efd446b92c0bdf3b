#pragma once

#include "core/CandidateMatcher.h"
#include "core/GestureRecognizer.h"
#include "core/GestureTemplate.h"
#include "core/ReferenceRecognizer.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace scriblo::equivalence {

uint32_t bitsOf(float value);
// The drawing in the JSON Lines form that `scriblo gestures recognize` reads.
std::string describe(const std::vector<GestureStroke>& strokes);
testing::AssertionResult sameStroke(const GestureStroke& production, const GestureStroke& expected);
testing::AssertionResult sameTemplate(const GestureTemplate& production, const reference::ReferenceTemplate& expected);

// Both recognizers hold the same gestures in the same order, so indexes correspond.
class EquivalenceChecker {
public:
    void addGesture(const std::string& identity, const std::vector<GestureStroke>& strokes);
    void removeGestureWithIdentity(const std::string& identity);
    // Compares one drawing; the first few failures are reported with the drawing.
    bool check(const std::vector<GestureStroke>& strokes);

    int compared() const { return m_compared; }
    int matched() const { return m_matched; }
    int mismatches() const { return m_mismatches; }
    size_t searchedTemplates() const { return m_searchedTemplates; }

private:
    std::optional<std::string> compare(const std::vector<GestureStroke>& strokes);
    std::optional<std::string> compareDistances(const std::vector<GestureStroke>& strokes, const reference::ReferenceRecognition& expected);
    std::string describeMismatch(const reference::ReferenceRecognition& expected, size_t index, float distance, CandidateMatcher::Kernel kernel) const;

    GestureRecognizer m_production;
    reference::ReferenceRecognizer m_reference;
    int m_compared { 0 };
    int m_matched { 0 };
    int m_mismatches { 0 };
    size_t m_searchedTemplates { 0 };
};

}
