#include "core/GestureRecognizer.h"

#include "core/CandidateMatcher.h"
#include "core/TemplatePipeline.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string_view>
#include <unordered_map>

namespace scriblo {

std::shared_ptr<const Gesture> GestureRecognizer::addGesture(Gesture gesture)
{
    // Templates are generated outside the lock: it is the slow part of an addition.
    gesture.generateTemplates();
    auto added = std::make_shared<const Gesture>(std::move(gesture));
    addPreparedGestures({ added });
    return added;
}

void GestureRecognizer::addPreparedGestures(const GestureList& gestures)
{
    // Each identity's last gesture is the one kept, as if they were added one by one.
    std::unordered_map<std::string_view, size_t> lastOfIdentity;
    for (size_t i = 0; i < gestures.size(); ++i)
        lastOfIdentity[gestures[i]->identity()] = i;
    std::lock_guard lock(m_mutex);
    auto list = std::make_shared<GestureList>();
    list->reserve(m_gestures->size() + gestures.size());
    for (const auto& loaded : *m_gestures) {
        if (!lastOfIdentity.contains(loaded->identity()))
            list->push_back(loaded);
    }
    for (size_t i = 0; i < gestures.size(); ++i) {
        if (lastOfIdentity[gestures[i]->identity()] == i)
            list->push_back(gestures[i]);
    }
    m_gestures = std::move(list);
}

void GestureRecognizer::replacePreparedGesture(const std::shared_ptr<const Gesture>& gesture)
{
    std::lock_guard lock(m_mutex);
    auto gestures = std::make_shared<GestureList>(*m_gestures);
    auto found = std::find_if(gestures->begin(), gestures->end(),
        [&](const auto& loaded) { return loaded->identity() == gesture->identity(); });
    if (found == gestures->end())
        gestures->push_back(gesture);
    else
        *found = gesture;
    m_gestures = std::move(gestures);
}

void GestureRecognizer::removeGestureWithIdentity(const std::string& identity)
{
    std::lock_guard lock(m_mutex);
    auto found = std::find_if(m_gestures->begin(), m_gestures->end(),
        [&](const auto& loaded) { return loaded->identity() == identity; });
    if (found == m_gestures->end())
        return;
    auto gestures = std::make_shared<GestureList>(*m_gestures);
    gestures->erase(gestures->begin() + (found - m_gestures->begin()));
    m_gestures = std::move(gestures);
}

std::shared_ptr<const GestureRecognizer::GestureList> GestureRecognizer::loadedGestures() const
{
    std::lock_guard lock(m_mutex);
    return m_gestures;
}

void GestureRecognizer::setLoadedGestures(GestureList gestures)
{
    auto replacement = std::make_shared<const GestureList>(std::move(gestures));
    std::lock_guard lock(m_mutex);
    m_gestures = std::move(replacement);
}

float GestureRecognizer::angleBetweenVectors(const GesturePoint& u, const GesturePoint& v)
{
    float dot = u.x() * v.x() + u.y() * v.y();
    if (dot < -1 || dot > 1)
        dot = std::round(dot * 100000.0f) / 100000.0f;
    return float(std::acos(double(dot)));
}

std::optional<int32_t> GestureRecognizer::scoreOfDistance(float distance)
{
    float score = std::ceil(float((double(distance) / -halfDiagonal + 1.0) * 100.0));
    if (!(score > 0))
        return std::nullopt;
    return int32_t(score);
}

std::optional<GestureResult> GestureRecognizer::recognizeGestureWithStrokes(const std::vector<GestureStroke>& strokes) const
{
    auto candidate = candidateOf(strokes);
    return candidate ? recognizeCandidate(*loadedGestures(), *candidate) : std::nullopt;
}

bool GestureRecognizer::startsAtTheEdgeInTheSameDirection(const GesturePoint& u, const GesturePoint& v)
{
    return angleBetweenVectors(u, v) <= startDirectionTolerance;
}

static GestureStroke joinStrokes(const std::vector<GestureStroke>& strokes)
{
    std::vector<GesturePoint> points;
    for (const auto& stroke : strokes)
        points.insert(points.end(), stroke.points().begin(), stroke.points().end());
    return GestureStroke(std::move(points));
}

std::optional<GestureRecognizer::Candidate> GestureRecognizer::candidateOf(const std::vector<GestureStroke>& strokes)
{
    GestureStroke joined = joinStrokes(strokes);
    if (joined.pointCount() < minimumCandidatePoints)
        return std::nullopt;
    // Preprocessed like a template, but only its points and direction are needed.
    GestureStroke points = pipeline::normalizeResampledStroke(pipeline::resampleStroke(joined));
    GesturePoint startUnitVector = pipeline::strokeStartUnitVector(points);
    return Candidate { std::move(points), startUnitVector, strokes.size() };
}

void GestureRecognizer::appendSearchedTemplates(const Gesture& gesture, const Candidate& drawn,
                                                std::vector<CandidateMatcher::Points>& searched)
{
    for (int32_t d = 0; d < gesture.drawingCount(); ++d) {
        if (gesture.drawing(d).size() != drawn.strokeCount)
            continue;
        const TemplateSet& templates = gesture.templates(d);
        for (size_t t = 0; t < templates.size(); ++t) {
            if (startsInTheSameDirection(drawn.startUnitVector, templates.startUnitVector(t)))
                searched.push_back({ templates.xs(t), templates.ys(t), templates.pointCount(t) });
        }
    }
}

std::optional<GestureResult> GestureRecognizer::recognizeCandidate(const GestureList& gestures, const Candidate& drawn)
{
    std::vector<CandidateMatcher::Points> searched;
    std::vector<const Gesture*> owners;
    size_t most = 0;
    for (const auto& gesture : gestures) {
        for (int32_t d = 0; d < gesture->drawingCount(); ++d)
            most += gesture->templates(d).size();
    }
    searched.reserve(most);
    owners.reserve(most);
    for (const auto& gesture : gestures) {
        appendSearchedTemplates(*gesture, drawn, searched);
        owners.resize(searched.size(), gesture.get());
    }
    // Among equal distances the first in list order wins, as if searched one by one.
    auto best = CandidateMatcher::bestTemplateInParallel(drawn.points, searched, CandidateMatcher::usefulWorkers(searched.size()));
    const Gesture* bestGesture = best ? owners[best->index] : nullptr;
    if (!bestGesture || bestGesture->identity().empty())
        return std::nullopt;
    auto score = scoreOfDistance(best->distance);
    if (!score)
        return std::nullopt;
    GestureResult result;
    result.setGestureIdentity(bestGesture->identity());
    result.setScore(*score);
    return result;
}

// One search per gesture, all sharing the matcher's lanes, each searched wholly: every
// gesture's own best is wanted, not only the winner's.
std::vector<GestureResult> GestureRecognizer::closestGestures(const std::vector<GestureStroke>& strokes, size_t count) const
{
    auto drawn = candidateOf(strokes);
    if (!drawn || count == 0)
        return {};
    auto gestures = loadedGestures();
    std::vector<CandidateMatcher::Points> searched;
    std::vector<size_t> starts;
    for (const auto& gesture : *gestures) {
        starts.push_back(searched.size());
        appendSearchedTemplates(*gesture, *drawn, searched);
    }
    starts.push_back(searched.size());
    std::vector<CandidateMatcher::Search> searches(gestures->size());
    for (size_t g = 0; g < gestures->size(); ++g)
        searches[g].templates = std::span(searched).subspan(starts[g], starts[g + 1] - starts[g]);
    CandidateMatcher(drawn->points).bestTemplates(searches);
    std::vector<GestureResult> results;
    for (size_t g = 0; g < gestures->size(); ++g) {
        auto score = searches[g].best ? scoreOfDistance(searches[g].best->distance) : std::nullopt;
        if (!score || (*gestures)[g]->identity().empty())
            continue;
        GestureResult& result = results.emplace_back();
        result.setGestureIdentity((*gestures)[g]->identity());
        result.setScore(*score);
    }
    std::stable_sort(results.begin(), results.end(), [](const auto& a, const auto& b) { return a.score() > b.score(); });
    results.resize(std::min(results.size(), count));
    return results;
}

}
