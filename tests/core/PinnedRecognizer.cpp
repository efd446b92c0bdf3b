#include "core/PinnedRecognizer.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace scriblo::equivalence {

namespace {

// FNV-1a: enough to tell any change of a bit, and the same on every machine.
constexpr uint64_t digestStart = 0xcbf29ce484222325;

void digestInto(uint64_t& digest, const void* bytes, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        digest = (digest ^ static_cast<const uint8_t*>(bytes)[i]) * 0x100000001b3;
}

void digestInto(uint64_t& digest, const GesturePoint& point)
{
    float coordinates[] = { point.x(), point.y() };
    digestInto(digest, coordinates, sizeof coordinates);
}

std::string hexDigest(uint64_t digest)
{
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, digest);
    return text;
}

std::string hexFloat(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%a", double(value));
    return text;
}

// The distances as the first kernel finds them; `agree` turns false when another kernel
// finds any other bits.
std::vector<float> distancesWithEveryKernel(const GestureStroke& candidate, std::span<const CandidateMatcher::Points> searched,
                                            bool& agree)
{
    auto kernels = CandidateMatcher::availableKernels();
    std::vector<float> first(searched.size());
    std::vector<float> other(searched.size());
    CandidateMatcher(candidate, kernels[0]).distancesAtBestAngle(searched, first);
    for (size_t k = 1; k < kernels.size(); ++k) {
        CandidateMatcher(candidate, kernels[k]).distancesAtBestAngle(searched, other);
        // An empty search has no bytes, and memcmp is not to be handed its null pointer.
        agree = agree && (first.empty() || std::memcmp(first.data(), other.data(), first.size() * sizeof(float)) == 0);
    }
    return first;
}

}

PinnedRecognizer::PinnedRecognizer(size_t checksPerLine)
    : m_checksPerLine(checksPerLine), m_digest(digestStart), m_templateDigest(digestStart)
{
}

void PinnedRecognizer::addGesture(const Gesture& gesture)
{
    add(gesture);
}

std::shared_ptr<const Gesture> PinnedRecognizer::add(const Gesture& gesture)
{
    auto stored = m_recognizer.addGesture(gesture);
    for (int32_t d = 0; d < stored->drawingCount(); ++d) {
        const auto& templates = stored->templates(d);
        for (size_t t = 0; t < templates.size(); ++t) {
            digestInto(m_templateDigest, templates.startUnitVector(t));
            digestInto(m_templateDigest, templates.xs(t), 2 * sizeof(float) * size_t(templates.pointCount(t)));
            ++m_templateCount;
        }
    }
    return stored;
}

void PinnedRecognizer::removeGestureWithIdentity(const std::string& identity)
{
    m_recognizer.removeGestureWithIdentity(identity);
}

void PinnedRecognizer::check(const std::vector<GestureStroke>& strokes)
{
    m_lastResult = m_recognizer.recognizeGestureWithStrokes(strokes);
    m_lastDistances.clear();
    std::string summary = m_lastResult ? m_lastResult->gestureIdentity() + " " + std::to_string(m_lastResult->score()) : "-";
    if (auto candidate = GestureRecognizer::candidateOf(strokes)) {
        for (const auto& point : candidate->points.points())
            digestInto(m_digest, point);
        digestInto(m_digest, candidate->startUnitVector);
        std::vector<CandidateMatcher::Points> searched;
        for (const auto& gesture : *m_recognizer.loadedGestures())
            GestureRecognizer::appendSearchedTemplates(*gesture, *candidate, searched);
        bool agree = true;
        m_lastDistances = distancesWithEveryKernel(candidate->points, searched, agree);
        digestInto(m_digest, m_lastDistances.data(), m_lastDistances.size() * sizeof(float));
        if (!m_lastDistances.empty())
            summary += " " + hexFloat(*std::min_element(m_lastDistances.begin(), m_lastDistances.end()));
        if (!agree)
            summary += " kernels disagree";
    }
    m_results += m_lastResult.has_value();
    m_resultsInLine += m_lastResult.has_value();
    pin(summary);
}

void PinnedRecognizer::measure(const GestureStroke& candidate, const GestureStroke& templateStroke)
{
    auto kernels = CandidateMatcher::availableKernels();
    float distance = CandidateMatcher(candidate, kernels[0]).distanceAtBestAngle(templateStroke);
    bool agree = true;
    for (auto kernel : kernels) {
        float other = CandidateMatcher(candidate, kernel).distanceAtBestAngle(templateStroke);
        agree = agree && std::memcmp(&distance, &other, sizeof distance) == 0;
    }
    m_lastDistances = { distance };
    pin(hexFloat(distance) + (agree ? "" : " kernels disagree"));
}

void PinnedRecognizer::pin(const std::string& summary)
{
    digestInto(m_digest, summary.data(), summary.size());
    if (++m_checks % m_checksPerLine != 0)
        return;
    std::string index = std::to_string(m_checks - m_checksPerLine);
    std::string shown = m_checksPerLine == 1 ? summary : std::to_string(m_resultsInLine) + " with a result";
    m_lines.push_back(index + "\t" + shown + "\t" + hexDigest(m_digest));
    m_digest = digestStart;
    m_resultsInLine = 0;
}

std::vector<std::string> PinnedRecognizer::lines()
{
    while (m_checks % m_checksPerLine != 0)
        pin("end");
    auto lines = m_lines;
    lines.push_back("templates\t" + std::to_string(m_templateCount) + "\t" + hexDigest(m_templateDigest));
    return lines;
}

std::filesystem::path pinsFile()
{
    return std::filesystem::path(SCRIBLO_SOURCE_DIR) / "tests/core/RecognizerPins.tsv";
}

std::map<std::string, std::vector<std::string>> readPins(const std::filesystem::path& file)
{
    std::map<std::string, std::vector<std::string>> pins;
    std::ifstream input(file);
    std::string scenario;
    for (std::string line; std::getline(input, line);) {
        if (line.starts_with("= "))
            scenario = line.substr(2);
        else if (!line.empty() && line[0] != '#')
            pins[scenario].push_back(line);
    }
    return pins;
}

}
