#include "BenchmarkGestures.h"

#include "core/GestureConflicts.h"
#include "core/GestureRecognizer.h"

#include <benchmark/benchmark.h>

using namespace scriblo;
using namespace scriblo::bench;

namespace {

constexpr size_t gestureCount = 100;
constexpr int32_t drawingsPerGesture = 3;

// 100 gestures of three real three-stroke drawings each (types H, I, N and asterisk, of
// many hands), with their templates.
const GestureRecognizer& storeOfDrawings()
{
    static const auto recognizer = [] {
        auto filled = std::make_unique<GestureRecognizer>();
        const auto& stored = threeStrokeDrawings(gestureCount * drawingsPerGesture).stored;
        for (size_t g = 0; g < gestureCount; ++g) {
            Gesture gesture(stored[g].identity, stored[g].strokes);
            for (int32_t d = 1; d < drawingsPerGesture; ++d)
                gesture.addDrawing(stored[g + size_t(d) * gestureCount].strokes);
            filled->addGesture(std::move(gesture));
        }
        return filled;
    }();
    return *recognizer;
}

// The candidate that sends the most templates into the angle search: the worst case.
const NamedDrawing& worstDrawnCandidate(size_t& searched)
{
    const auto& candidates = threeStrokeDrawings(gestureCount * drawingsPerGesture).candidates;
    const NamedDrawing* worst = &candidates.front();
    searched = 0;
    for (const auto& candidate : candidates) {
        auto drawn = GestureRecognizer::candidateOf(candidate.strokes);
        std::vector<CandidateMatcher::Points> templates;
        for (const auto& gesture : *storeOfDrawings().loadedGestures())
            GestureRecognizer::appendSearchedTemplates(*gesture, *drawn, templates);
        if (templates.size() > searched) {
            searched = templates.size();
            worst = &candidate;
        }
    }
    return *worst;
}

void BM_Recognize3StrokesAmong100GesturesOf3Drawings(benchmark::State& state)
{
    if (skipWithoutDrawings(state, gestureCount * drawingsPerGesture))
        return;
    size_t searched = 0;
    const auto& candidate = worstDrawnCandidate(searched);
    for (auto _ : state) {
        auto result = storeOfDrawings().recognizeGestureWithStrokes(candidate.strokes);
        benchmark::DoNotOptimize(result);
    }
    state.counters["searchedTemplates"] = double(searched);
}
BENCHMARK(BM_Recognize3StrokesAmong100GesturesOf3Drawings)->Unit(benchmark::kMillisecond);

// The check before a drawing is stored, against the same store: every candidate in turn,
// the time per check, including the new drawing's templates.
void BM_ConflictCheck3StrokesAmong100GesturesOf3Drawings(benchmark::State& state)
{
    if (skipWithoutDrawings(state, gestureCount * drawingsPerGesture))
        return;
    const auto& candidates = threeStrokeDrawings(gestureCount * drawingsPerGesture).candidates;
    auto stored = storeOfDrawings().loadedGestures();
    size_t next = 0;
    size_t conflicts = 0;
    for (auto _ : state) {
        const auto& candidate = candidates[next++ % candidates.size()];
        auto conflict = GestureConflicts::find(candidate.strokes, candidate.identity, std::nullopt, *stored, 70);
        conflicts += conflict ? 1 : 0;
        benchmark::DoNotOptimize(conflict);
    }
    state.counters["conflictShare"] = double(conflicts) / double(state.iterations());
}
BENCHMARK(BM_ConflictCheck3StrokesAmong100GesturesOf3Drawings)->Unit(benchmark::kMillisecond);

// `scriblo gestures conflicts` on the same store: every pair, both ways, every drawing.
void BM_ConflictsOf100GesturesOf3Drawings(benchmark::State& state)
{
    if (skipWithoutDrawings(state, gestureCount * drawingsPerGesture))
        return;
    auto stored = storeOfDrawings().loadedGestures();
    size_t pairs = 0;
    for (auto _ : state) {
        pairs = 0;
        GestureConflicts::pairs(*stored, 70, [&](const GesturePairConflict&) { ++pairs; });
    }
    state.counters["pairs"] = double(pairs);
}
BENCHMARK(BM_ConflictsOf100GesturesOf3Drawings)->Unit(benchmark::kMillisecond);

}
