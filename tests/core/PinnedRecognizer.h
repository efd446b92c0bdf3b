#pragma once

#include "core/GestureRecognizer.h"
#include "core/RecognizerScenarios.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace scriblo::equivalence {

// The recognizer's answers to a scenario as the lines the pins file keeps: per drawing
// (or per group of drawings) the gesture chosen, its score, the smallest distance as an
// exact hexadecimal float and a digest of the processed candidate and of every searched
// template's distance, the same with every kernel; a scenario's last line digests every
// template its gestures made. A change in the last bit of any of these shows.
class PinnedRecognizer : public ScenarioSteps {
public:
    explicit PinnedRecognizer(size_t checksPerLine);

    void addGesture(const Gesture& gesture) override;
    void removeGestureWithIdentity(const std::string& identity) override;
    void check(const std::vector<GestureStroke>& strokes) override;
    void measure(const GestureStroke& candidate, const GestureStroke& templateStroke) override;

    // The gesture as stored, with its templates.
    std::shared_ptr<const Gesture> add(const Gesture& gesture);
    // The last check's result, and the distances of the templates it searched, in order
    // (or the one it measured).
    const std::optional<GestureResult>& lastResult() const { return m_lastResult; }
    const std::vector<float>& lastDistances() const { return m_lastDistances; }
    int results() const { return m_results; }
    std::vector<std::string> lines();

private:
    void pin(const std::string& summary);

    size_t m_checksPerLine;
    GestureRecognizer m_recognizer;
    std::vector<std::string> m_lines;
    size_t m_checks { 0 };
    int m_results { 0 };
    int m_resultsInLine { 0 };
    uint64_t m_digest;
    uint64_t m_templateDigest;
    size_t m_templateCount { 0 };
    std::optional<GestureResult> m_lastResult;
    std::vector<float> m_lastDistances;
};

// Where the pins are kept, and their lines under each scenario's heading ("= name"),
// comments left out.
std::filesystem::path pinsFile();
std::map<std::string, std::vector<std::string>> readPins(const std::filesystem::path& file);

}
