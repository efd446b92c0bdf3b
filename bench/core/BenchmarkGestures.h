#pragma once

#include "core/Gesture.h"
#include "core/GestureStroke.h"

#include <filesystem>
#include <string>
#include <vector>

namespace benchmark {
class State;
}

namespace scriblo::bench {

struct NamedDrawing {
    std::string identity;
    std::vector<GestureStroke> strokes;
};

// Real three-stroke drawings (types H, I, N and asterisk of the multistroke log set),
// read once per size: the first `storedCount` are to be stored, the rest are candidates.
struct ThreeStrokeDrawings {
    std::vector<NamedDrawing> stored;
    std::vector<NamedDrawing> candidates;
    // Why there are none, when there are none.
    std::string problem;
};

// 100 stored drawings; `largeStoreCount` fills the store to its limit.
inline constexpr size_t largeStoreCount = 1024;
const ThreeStrokeDrawings& threeStrokeDrawings(size_t storedCount = 100);
// Marks the benchmark skipped, with the reason, where those drawings are missing.
bool skipWithoutDrawings(benchmark::State& state, size_t storedCount = 100);

// Up to `count` real drawings of every type of the multistroke log set, of one to five
// strokes, spread over all users and speeds: a store of mostly different gestures.
const std::vector<NamedDrawing>& mixedDrawings(size_t count);

// The largest store the gesture store writes: as many gestures as it holds, each with
// the longest identity and three strokes of 1,024 points in all, every one a slight
// variation of the same shape. Templates are not generated.
std::vector<Gesture> largestStore();

// The largest store of several drawings: as many gestures as the store holds, each with
// the longest identity and eight drawings, together as many points and nearly as many
// templates as the store admits. Templates are not generated.
std::vector<Gesture> largestStoreOfDrawings();

// Synthetic drawing of `strokeCount` arcs, 20 points each, so that template generation
// can be measured without the data folder.
std::vector<GestureStroke> syntheticDrawing(int strokeCount);

// The process's resident set size in bytes, from /proc/self/status.
double residentBytes();
// Its largest resident set size since the start or the last reset, in bytes.
double peakResidentBytes();
// The pages the process has been given without reading them from disk so far: each one
// a fault, on a virtual machine often dearer than the work that touches the page.
double minorPageFaults();
// Gives freed memory back to the system and starts the peak afresh from the current
// resident set; false where the kernel does not allow the reset.
bool resetPeakResidentBytes();
// Bytes the allocator has handed out and not yet taken back.
double allocatedBytes();

// The program reads a full store with glibc's allocator advising huge pages, and the
// benchmarks run as it does (HugePages::restartWithAdvisedHeap).
void runAsTheProgramReadsFullStores(char** argv);
int runBenchmarks(int argc, char** argv);

}
