#include "BenchmarkGestures.h"

#include "core/GestureRecognitionModel.h"
#include "core/KeyedUnarchiver.h"
#include "platform/PropertyListUserDefaults.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace scriblo;
using namespace scriblo::bench;

namespace {

constexpr double megabyte = 1024.0 * 1024.0;

// A scratch folder removed at exit.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "scriblo-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_folder = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder, ignored);
    }

    std::filesystem::path store() const { return m_folder / "org.scriblo.Scriblo.plist"; }
    std::filesystem::path storeOfDrawings() const { return m_folder / "drawings.plist"; }

private:
    std::filesystem::path m_folder;
};

const ScratchFolder& scratch()
{
    static const ScratchFolder folder;
    return folder;
}

// What one save or load costs beyond what the process held before it, in MiB: its peak
// resident set, and the bytes still allocated at its end; and the pages it was given.
struct Footprint {
    double before { 0 };
    double allocatedBefore { 0 };
    double faultsBefore { 0 };
    bool peakReset { false };

    void start()
    {
        peakReset = resetPeakResidentBytes();
        before = residentBytes();
        allocatedBefore = allocatedBytes();
        faultsBefore = minorPageFaults();
    }
    void report(benchmark::State& state) const
    {
        if (peakReset)
            state.counters["peakRSS_MiB"] = (peakResidentBytes() - before) / megabyte;
        state.counters["allocated_MiB"] = (allocatedBytes() - allocatedBefore) / megabyte;
        state.counters["pageFaults"] = minorPageFaults() - faultsBefore;
    }
};

// Runs first, so that the store file exists for the load. Templates, the archive and
// one synced write of the preferences file, from an empty store.
void BM_SaveLargestStore(benchmark::State& state)
{
    auto gestures = largestStore();
    Footprint footprint;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(scratch().store());
        footprint.start();
        state.ResumeTiming();
        PropertyListUserDefaults defaults(scratch().store());
        GestureRecognitionModel model(defaults);
        if (!model.saveGestures(gestures))
            state.SkipWithError("the largest store was not saved");
        state.PauseTiming();
        footprint.report(state);
        state.ResumeTiming();
    }
    state.counters["file_MiB"] = double(std::filesystem::file_size(scratch().store())) / megabyte;
}
BENCHMARK(BM_SaveLargestStore)->Iterations(1)->Unit(benchmark::kMillisecond);

// From reading the file to a recognizer ready to match, as at every start. The held
// memory is what the loaded store keeps; the peak adds what reading it took on the way.
void BM_LoadLargestStore(benchmark::State& state)
{
    if (!std::filesystem::exists(scratch().store())) {
        state.SkipWithError("skipped: the largest store was not written");
        return;
    }
    size_t loaded = 0;
    Footprint footprint;
    for (auto _ : state) {
        state.PauseTiming();
        footprint.start();
        state.ResumeTiming();
        auto defaults = std::make_unique<PropertyListUserDefaults>(scratch().store());
        auto model = std::make_unique<GestureRecognitionModel>(*defaults);
        model->setup();
        loaded = model->recognizer()->loadedGestures()->size();
        benchmark::DoNotOptimize(loaded);
        state.PauseTiming();
        footprint.report(state);
        model.reset();
        defaults.reset();
        state.ResumeTiming();
    }
    if (loaded != KeyedUnarchiver::maximumGestureCount)
        state.SkipWithError("the largest store did not load every gesture");
    state.counters["gestures"] = double(loaded);
}
BENCHMARK(BM_LoadLargestStore)->Unit(benchmark::kMillisecond);

// Clearing one gesture of a loaded full store: the archive and the preferences file are
// written again whole, the file not read again. The peak is above the loaded store.
void BM_DeleteOneFromLargestStore(benchmark::State& state)
{
    if (!std::filesystem::exists(scratch().store())) {
        state.SkipWithError("skipped: the largest store was not written");
        return;
    }
    auto defaults = std::make_unique<PropertyListUserDefaults>(scratch().store());
    auto model = std::make_unique<GestureRecognitionModel>(*defaults);
    model->setup();
    auto gestures = *model->recognizer()->loadedGestures();
    Footprint footprint;
    size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        footprint.start();
        state.ResumeTiming();
        if (!model->deleteGestureWithName(gestures.at(next++ % gestures.size())->identity()))
            state.SkipWithError("the gesture was not deleted");
        state.PauseTiming();
        footprint.report(state);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteOneFromLargestStore)->Iterations(3)->Unit(benchmark::kMillisecond);

// A full store of gestures of eight drawings each, written once and then loaded as at
// every start: both archives read, every drawing's templates made.
void BM_LoadLargestStoreOfDrawings(benchmark::State& state)
{
    if (!std::filesystem::exists(scratch().storeOfDrawings())) {
        PropertyListUserDefaults defaults(scratch().storeOfDrawings());
        GestureRecognitionModel model(defaults, GestureRecognitionModel::Templates::Skip);
        auto saved = model.saveGestures(largestStoreOfDrawings());
        if (!saved) {
            state.SkipWithError(("the store of drawings was not saved: " + saved.error()).c_str());
            return;
        }
    }
    size_t drawings = 0;
    Footprint footprint;
    for (auto _ : state) {
        state.PauseTiming();
        footprint.start();
        state.ResumeTiming();
        auto defaults = std::make_unique<PropertyListUserDefaults>(scratch().storeOfDrawings());
        auto model = std::make_unique<GestureRecognitionModel>(*defaults);
        model->setup();
        drawings = 0;
        for (const auto& gesture : *model->recognizer()->loadedGestures())
            drawings += size_t(gesture->drawingCount());
        state.PauseTiming();
        footprint.report(state);
        model.reset();
        defaults.reset();
        state.ResumeTiming();
    }
    if (drawings != KeyedUnarchiver::maximumGestureCount * Gesture::maximumDrawingCount)
        state.SkipWithError("the store of drawings did not load every drawing");
    state.counters["drawings"] = double(drawings);
    state.counters["file_MiB"] = double(std::filesystem::file_size(scratch().storeOfDrawings())) / megabyte;
}
BENCHMARK(BM_LoadLargestStoreOfDrawings)->Unit(benchmark::kMillisecond);

}

int main(int argc, char** argv)
{
    return scriblo::bench::runBenchmarks(argc, argv);
}
