#include "BenchmarkGestures.h"

#include "core/GestureConflicts.h"
#include "core/GestureImportPlan.h"

#include <benchmark/benchmark.h>

using namespace scriblo;
using namespace scriblo::bench;

namespace {

// The check that runs between the end of a drawing in the setup window and its storing:
// a new three-stroke drawing against a store of 100 real three-stroke gestures of four
// look-alike shapes, so that many stored drawings need the full match. Every candidate
// is checked in turn; the time is per check, including the new drawing's templates.
void BM_ConflictCheck3StrokesAmong100(benchmark::State& state)
{
    if (skipWithoutDrawings(state))
        return;
    const auto& drawings = threeStrokeDrawings();
    GestureRecognizer::GestureList stored;
    for (const auto& drawing : drawings.stored) {
        Gesture gesture(drawing.identity, drawing.strokes);
        gesture.generateTemplates();
        stored.push_back(std::make_shared<const Gesture>(std::move(gesture)));
    }
    size_t next = 0;
    size_t conflicts = 0;
    for (auto _ : state) {
        const auto& candidate = drawings.candidates[next++ % drawings.candidates.size()];
        auto conflict = GestureConflicts::find(candidate.strokes, candidate.identity, std::nullopt, stored, 70);
        conflicts += conflict ? 1 : 0;
        benchmark::DoNotOptimize(conflict);
    }
    state.counters["conflictShare"] = double(conflicts) / double(state.iterations());
}
BENCHMARK(BM_ConflictCheck3StrokesAmong100)->Unit(benchmark::kMillisecond);

GestureRecognizer::GestureList prepared(std::vector<Gesture> gestures)
{
    GestureRecognizer::GestureList stored;
    for (auto& gesture : gestures) {
        gesture.generateTemplates();
        stored.push_back(std::make_shared<const Gesture>(std::move(gesture)));
    }
    return stored;
}

// `scriblo gestures conflicts` on a store, every pair in it compared both ways.
void measurePairs(benchmark::State& state, const GestureRecognizer::GestureList& stored)
{
    size_t pairs = 0;
    for (auto _ : state) {
        pairs = 0;
        GestureConflicts::pairs(stored, 70, [&](const GesturePairConflict&) { ++pairs; });
    }
    state.counters["gestures"] = double(stored.size());
    state.counters["pairs"] = double(pairs);
}

// The worst case: a full store of look-alikes, so that nearly every pair conflicts and
// few templates can be passed over.
void BM_ConflictsOfLargestStore(benchmark::State& state)
{
    measurePairs(state, prepared(largestStore()));
}
BENCHMARK(BM_ConflictsOfLargestStore)->Iterations(1)->Unit(benchmark::kMillisecond);

// The check at Assign in the worst case: a drawing like every one of a full store of
// look-alikes, so that each may be captured.
void BM_ConflictCheckInLargestStore(benchmark::State& state)
{
    auto stored = prepared(largestStore());
    auto drawing = stored.front()->strokes();
    size_t conflicts = 0;
    for (auto _ : state)
        conflicts += GestureConflicts::find(drawing, "new", std::nullopt, stored, 70) ? 1 : 0;
    state.counters["conflictShare"] = double(conflicts) / double(state.iterations());
}
BENCHMARK(BM_ConflictCheckInLargestStore)->Unit(benchmark::kMillisecond);

// The import preview's look-alikes of a file of 1,019 look-alikes that replace as many
// of a full store of look-alikes, each drawn between two stored ones: every gesture of
// the file checked against the store it leaves.
void BM_LookAlikesOfLargestImport(benchmark::State& state)
{
    constexpr size_t kept = 5;
    auto stored = prepared(largestStore());
    std::vector<Gesture> file;
    for (size_t g = kept; g < stored.size(); ++g) {
        auto strokes = stored[g]->strokes();
        for (auto& stroke : strokes) {
            auto points = stroke.points();
            for (auto& point : points)
                point = GesturePoint(point.x() + 0.5f, point.y() - 0.5f, point.strokeId());
            stroke.setPoints(points);
        }
        file.emplace_back(stored[g]->identity(), std::move(strokes));
    }
    auto plan = GestureImportPlan::of(std::move(file), stored);
    size_t conflicts = 0;
    for (auto _ : state) {
        conflicts = 0;
        plan.findConflicts(stored, 70, [&](size_t, const std::optional<GestureConflict>& conflict) { conflicts += conflict ? 1 : 0; });
    }
    state.counters["checked"] = double(plan.count(GestureImportPlan::Action::Replace));
    state.counters["conflicts"] = double(conflicts);
}
BENCHMARK(BM_LookAlikesOfLargestImport)->Iterations(1)->Unit(benchmark::kMillisecond);

// The common case: a full store of real drawings of every shape and stroke count, of
// which few pairs conflict.
void BM_ConflictsOfMixedStore(benchmark::State& state)
{
    const auto& drawings = mixedDrawings(largeStoreCount);
    if (drawings.size() < largeStoreCount) {
        state.SkipWithError("skipped: too few drawings in the shared gesture data");
        return;
    }
    std::vector<Gesture> gestures;
    for (const auto& drawing : drawings)
        gestures.emplace_back(drawing.identity, drawing.strokes);
    measurePairs(state, prepared(std::move(gestures)));
}
BENCHMARK(BM_ConflictsOfMixedStore)->Iterations(1)->Unit(benchmark::kMillisecond);

}
