#include "core/GestureImportPlan.h"

#include "core/GestureStorability.h"
#include "core/ParallelRuns.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace scriblo {

namespace {

// Point for point, whatever the strokes' identifiers: the JSON form numbers strokes
// afresh, so a drawing exported and imported again must still count as the same.
bool sameDrawing(const std::vector<GestureStroke>& left, const std::vector<GestureStroke>& right)
{
    auto samePoint = [](const GesturePoint& a, const GesturePoint& b) { return a.x() == b.x() && a.y() == b.y(); };
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [&](const GestureStroke& a, const GestureStroke& b) {
        return std::equal(a.points().begin(), a.points().end(), b.points().begin(), b.points().end(), samePoint);
    });
}

bool sameDrawings(const Gesture& left, const Gesture& right)
{
    if (left.drawingCount() != right.drawingCount())
        return false;
    for (int32_t d = 0; d < left.drawingCount(); ++d) {
        if (!sameDrawing(left.drawing(d), right.drawing(d)))
            return false;
    }
    return true;
}

}

GestureImportPlan GestureImportPlan::of(std::vector<Gesture> gestures, const GestureRecognizer::GestureList& stored)
{
    GestureImportPlan plan;
    for (size_t index = 0; index < gestures.size(); ++index) {
        bool supersededLater = std::any_of(gestures.begin() + std::ptrdiff_t(index) + 1, gestures.end(),
                                           [&](const Gesture& later) { return later.identity() == gestures[index].identity(); });
        plan.m_steps.push_back(decide(std::move(gestures[index]), stored, supersededLater));
    }
    return plan;
}

GestureImportPlan::Step GestureImportPlan::decide(Gesture gesture, const GestureRecognizer::GestureList& stored,
                                                  bool supersededLater)
{
    if (auto storable = GestureStorability::check(gesture); !storable)
        return { std::move(gesture), Action::Skip, SkipReason::CannotBeStored, storable.error(), std::nullopt };
    if (supersededLater)
        return { std::move(gesture), Action::Skip, SkipReason::SupersededLater, {}, std::nullopt };
    auto same = std::find_if(stored.begin(), stored.end(), [&](const auto& kept) { return kept->identity() == gesture.identity(); });
    if (same == stored.end())
        return { std::move(gesture), Action::Add, SkipReason::None, {}, std::nullopt };
    if (sameDrawings(**same, gesture))
        return { std::move(gesture), Action::Skip, SkipReason::AlreadyStored, {}, std::nullopt };
    return { std::move(gesture), Action::Replace, SkipReason::None, {}, std::nullopt };
}

// Each gesture to be stored is checked against the store as the import leaves it: the
// stored gestures it does not replace and the others it brings. They are checked a few
// at a time, each few handed over before the next is begun.
void GestureImportPlan::findConflicts(const GestureRecognizer::GestureList& stored, int32_t minimumScore,
                                      const ConflictFound& found, const std::function<bool()>& stopped) const
{
    constexpr size_t checksAtOnce = 32;
    if (stopped())
        return;
    GestureRecognizer::GestureList after = storeAfter(stored);
    if (stopped())
        return;
    PairScorer scorer(after, minimumScore);
    // The gestures to be stored come first in the store after, in the order of their steps.
    std::vector<size_t> steps;
    for (size_t index = 0; index < m_steps.size(); ++index) {
        if (m_steps[index].action != Action::Skip)
            steps.push_back(index);
    }
    for (size_t first = 0; first < steps.size() && !stopped(); first += checksAtOnce) {
        std::vector<size_t> drawn;
        for (size_t k = first; k < std::min(first + checksAtOnce, steps.size()); ++k)
            drawn.push_back(k);
        auto conflicts = GestureConflicts::conflictsOf(scorer, after, drawn, minimumScore);
        for (size_t k = 0; k < drawn.size(); ++k)
            found(steps[drawn[k]], conflicts[k]);
    }
}

GestureRecognizer::GestureList GestureImportPlan::storeAfter(const GestureRecognizer::GestureList& stored) const
{
    std::set<std::string_view> replaced;
    std::vector<const Step*> stepsToStore;
    for (const auto& step : m_steps)
        if (step.action != Action::Skip) {
            replaced.insert(step.gesture.identity());
            stepsToStore.push_back(&step);
        }
    // A file of a thousand gestures takes a second of templates on one processor.
    GestureRecognizer::GestureList after(stepsToStore.size());
    ParallelRuns::run(stepsToStore.size(), ParallelRuns::processors(), [&](size_t, size_t first, size_t length) {
        for (size_t index = first; index < first + length; ++index) {
            Gesture prepared = stepsToStore[index]->gesture.copy();
            prepared.generateTemplates();
            after[index] = std::make_shared<const Gesture>(std::move(prepared));
        }
    });
    std::copy_if(stored.begin(), stored.end(), std::back_inserter(after),
                 [&](const auto& kept) { return !replaced.contains(kept->identity()); });
    return after;
}

size_t GestureImportPlan::count(Action action) const
{
    return size_t(std::count_if(m_steps.begin(), m_steps.end(), [&](const Step& step) { return step.action == action; }));
}

std::vector<Gesture> GestureImportPlan::gesturesToStore() const
{
    std::vector<Gesture> gestures;
    for (const auto& step : m_steps)
        if (step.action != Action::Skip)
            gestures.push_back(step.gesture.copy());
    return gestures;
}

}
