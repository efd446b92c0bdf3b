#include "BenchmarkGestures.h"

#include "core/Gesture.h"
#include "core/GestureRecognitionModel.h"
#include "core/GestureRecognizer.h"
#include "core/KeyedArchiver.h"
#include "core/ReferenceRecognizer.h"
#include "platform/PropertyListUserDefaults.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <map>

using namespace scriblo;
using namespace scriblo::bench;

namespace {

constexpr double megabyte = 1024.0 * 1024.0;

// The store written once, beforehand, in a scratch folder removed at exit.
class StoreFile {
public:
    StoreFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "scriblo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        m_folder = pattern;
        GestureDictionary gestures;
        for (const auto& drawing : threeStrokeDrawings().stored)
            gestures[drawing.identity] = std::make_shared<const Gesture>(drawing.identity, drawing.strokes);
        PropertyListUserDefaults defaults(path());
        defaults.setObject(UserDefaultsValue(KeyedArchiver::archivedDataWithRootObject(gestures)), GestureRecognitionModel::gesturesKey);
        m_written = defaults.synchronize().hasValue();
    }
    ~StoreFile()
    {
        std::error_code ignored;
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder, ignored);
    }

    std::filesystem::path path() const { return m_folder / "org.scriblo.Scriblo.plist"; }
    bool isWritten() const { return m_written; }

private:
    std::filesystem::path m_folder;
    bool m_written { false };
};

const StoreFile& storeFile()
{
    static const StoreFile store;
    return store;
}

bool skipWithoutStore(benchmark::State& state)
{
    if (skipWithoutDrawings(state))
        return true;
    if (storeFile().isWritten())
        return false;
    state.SkipWithError("skipped: could not write the store file");
    return true;
}

// Each store size's recognizers are filled once, on first use.
template<typename Recognizer, typename Fill>
const Recognizer& filledOnce(size_t storedCount, Fill fill)
{
    static std::map<size_t, std::unique_ptr<Recognizer>> filled;
    auto& slot = filled[storedCount];
    if (!slot) {
        slot = std::make_unique<Recognizer>();
        for (const auto& drawing : threeStrokeDrawings(storedCount).stored)
            fill(*slot, drawing);
    }
    return *slot;
}

const reference::ReferenceRecognizer& referenceRecognizer(size_t storedCount = 100)
{
    return filledOnce<reference::ReferenceRecognizer>(storedCount,
        [](auto& recognizer, const NamedDrawing& drawing) { recognizer.addGesture(drawing.identity, drawing.strokes); });
}

const GestureRecognizer& productionRecognizer(size_t storedCount = 100)
{
    return filledOnce<GestureRecognizer>(storedCount,
        [](auto& recognizer, const NamedDrawing& drawing) { recognizer.addGesture(Gesture(drawing.identity, drawing.strokes)); });
}

struct WorstCase {
    const NamedDrawing* candidate { nullptr };
    size_t searched { 0 };
};

// The candidate that sends the most templates into the angle search: the worst case.
const WorstCase& worstCandidate(size_t storedCount = 100)
{
    static std::map<size_t, WorstCase> worst;
    auto& found = worst[storedCount];
    if (found.candidate)
        return found;
    for (const auto& candidate : threeStrokeDrawings(storedCount).candidates) {
        size_t count = referenceRecognizer(storedCount).recognizeGestureWithStrokes(candidate.strokes).searched.size();
        if (!found.candidate || count > found.searched)
            found = { &candidate, count };
    }
    return found;
}

void loadGestures(benchmark::State& state, bool measureMemory)
{
    if (skipWithoutStore(state))
        return;
    size_t loaded = 0;
    double after = 0;
    for (auto _ : state) {
        // From reading the file to a recognizer ready to match; putting it all away again
        // is not part of starting.
        auto defaults = std::make_unique<PropertyListUserDefaults>(storeFile().path());
        auto model = std::make_unique<GestureRecognitionModel>(*defaults);
        model->setup();
        loaded = model->recognizer()->loadedGestures()->size();
        benchmark::DoNotOptimize(loaded);
        state.PauseTiming();
        if (measureMemory)
            after = residentBytes();
        model.reset();
        defaults.reset();
        state.ResumeTiming();
    }
    if (loaded != threeStrokeDrawings().stored.size())
        state.SkipWithError("the store did not load every gesture");
    state.counters["gestures"] = double(loaded);
    if (measureMemory)
        state.counters["VmRSS_MB"] = after / megabyte;
}

// Runs first, so that the resident set holds little beyond the loaded gestures.
void BM_ResidentMemoryWith100Gestures(benchmark::State& state)
{
    loadGestures(state, true);
}
BENCHMARK(BM_ResidentMemoryWith100Gestures)->Iterations(1)->Unit(benchmark::kMillisecond);

// A gesture keeps the templates it has made, so each round makes them on a fresh copy.
void generateTemplates(benchmark::State& state, const Gesture& gesture)
{
    size_t templates = 0;
    for (auto _ : state) {
        Gesture fresh = gesture.copy();
        fresh.generateTemplates();
        templates = fresh.templates(0).size();
        benchmark::DoNotOptimize(&fresh.templates(0));
    }
    state.counters["templates"] = double(templates);
}

void BM_GenerateTemplates(benchmark::State& state)
{
    generateTemplates(state, Gesture("synthetic", syntheticDrawing(int(state.range(0)))));
}
BENCHMARK(BM_GenerateTemplates)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// One gesture of the full store: a thousandth of what loading it builds.
void BM_GenerateTemplatesOfLargestGesture(benchmark::State& state)
{
    generateTemplates(state, largestStore().front());
}
BENCHMARK(BM_GenerateTemplatesOfLargestGesture)->Unit(benchmark::kMicrosecond);

// Both recognizers answer the same call; the literal one shows what the matcher saves.
template<typename Recognizer>
void recognizeWorstCase(benchmark::State& state, const Recognizer& recognizer, size_t storedCount)
{
    const auto& worst = worstCandidate(storedCount);
    for (auto _ : state) {
        auto result = recognizer.recognizeGestureWithStrokes(worst.candidate->strokes);
        benchmark::DoNotOptimize(result);
    }
    state.counters["searchedTemplates"] = double(worst.searched);
}

void BM_Recognize3StrokesAmong100(benchmark::State& state)
{
    if (!skipWithoutDrawings(state))
        recognizeWorstCase(state, productionRecognizer(), 100);
}
BENCHMARK(BM_Recognize3StrokesAmong100)->Unit(benchmark::kMillisecond);

void BM_Recognize3StrokesAmong100Literal(benchmark::State& state)
{
    if (!skipWithoutDrawings(state))
        recognizeWorstCase(state, referenceRecognizer(), 100);
}
BENCHMARK(BM_Recognize3StrokesAmong100Literal)->Unit(benchmark::kMillisecond);

void BM_Recognize3StrokesAmong1024(benchmark::State& state)
{
    if (!skipWithoutDrawings(state, largeStoreCount))
        recognizeWorstCase(state, productionRecognizer(largeStoreCount), largeStoreCount);
}
BENCHMARK(BM_Recognize3StrokesAmong1024)->Unit(benchmark::kMillisecond);

// Templates of real drawings, which hold more points than the synthetic ones.
void BM_Generate100RealGestures(benchmark::State& state)
{
    if (skipWithoutDrawings(state))
        return;
    std::vector<Gesture> gestures;
    double points = 0;
    for (const auto& drawing : threeStrokeDrawings().stored) {
        gestures.emplace_back(drawing.identity, drawing.strokes);
        points += gestures.back().totalPointCount();
    }
    for (auto _ : state) {
        for (auto& gesture : gestures)
            gesture.generateTemplates();
        benchmark::DoNotOptimize(gestures.data());
    }
    // Drawn points decide the walk's length as much as the 160 placed ones do.
    state.counters["pointsPerGesture"] = points / double(gestures.size());
}
BENCHMARK(BM_Generate100RealGestures)->Unit(benchmark::kMillisecond);

// What the templates of a full store of three-stroke gestures hold on the heap.
void BM_TemplateMemoryOf1024Gestures(benchmark::State& state)
{
    if (skipWithoutDrawings(state, largeStoreCount))
        return;
    double templateBytes = 0;
    double coordinateBytes = 0;
    for (auto _ : state) {
        std::vector<Gesture> gestures;
        for (const auto& drawing : threeStrokeDrawings(largeStoreCount).stored)
            gestures.emplace_back(drawing.identity, drawing.strokes);
        double before = allocatedBytes();
        for (auto& gesture : gestures)
            gesture.generateTemplates();
        templateBytes = allocatedBytes() - before;
        coordinateBytes = 0;
        for (const auto& gesture : gestures) {
            for (size_t t = 0; t < gesture.templates(0).size(); ++t)
                coordinateBytes += 2.0 * sizeof(float) * double(gesture.templates(0).pointCount(t));
        }
    }
    state.counters["templates_MiB"] = templateBytes / megabyte;
    // The part of it that matching reads; the rest is what keeping it costs.
    state.counters["coordinates_MiB"] = coordinateBytes / megabyte;
}
BENCHMARK(BM_TemplateMemoryOf1024Gestures)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Load100Gestures(benchmark::State& state)
{
    loadGestures(state, false);
}
BENCHMARK(BM_Load100Gestures)->Unit(benchmark::kMillisecond);

std::vector<Gesture> thousandGestures()
{
    std::vector<Gesture> gestures;
    for (int i = 0; i < 1000; ++i)
        gestures.emplace_back("app" + std::to_string(i) + ".desktop", syntheticDrawing(1 + i % 3));
    return gestures;
}

// What an import of a 1,000-gesture file costs in the store: templates, one archive and
// one synced write of the preferences file.
void BM_Save1000Gestures(benchmark::State& state)
{
    auto path = storeFile().path().parent_path() / "saved.plist";
    auto gestures = thousandGestures();
    for (auto _ : state) {
        std::filesystem::remove(path);
        PropertyListUserDefaults defaults(path);
        GestureRecognitionModel model(defaults);
        if (!model.saveGestures(gestures))
            state.SkipWithError("the gestures were not saved");
    }
}
BENCHMARK(BM_Save1000Gestures)->Unit(benchmark::kMillisecond);

void BM_Archive1000Gestures(benchmark::State& state)
{
    GestureDictionary dictionary;
    for (auto& gesture : thousandGestures()) {
        std::string identity = gesture.identity();
        dictionary[identity] = std::make_shared<const Gesture>(std::move(gesture));
    }
    for (auto _ : state) {
        Data data = KeyedArchiver::archivedDataWithRootObject(dictionary);
        benchmark::DoNotOptimize(data.data());
    }
}
BENCHMARK(BM_Archive1000Gestures)->Unit(benchmark::kMillisecond);

}

int main(int argc, char** argv)
{
    return scriblo::bench::runBenchmarks(argc, argv);
}
