#include "BenchmarkGestures.h"

#include "core/GestureConflicts.h"

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
    const auto& drawings = threeStrokeDrawings();
    if (!drawings.problem.empty()) {
        state.SkipWithError(("skipped: " + drawings.problem).c_str());
        return;
    }
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

}
