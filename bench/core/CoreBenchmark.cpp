#include "BenchmarkGestures.h"

#include "core/Gesture.h"
#include "core/GestureRecognitionModel.h"
#include "core/GestureRecognizer.h"
#include "core/KeyedArchiver.h"
#include "core/ReferenceRecognizer.h"
#include "platform/PropertyListUserDefaults.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

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
        m_written = defaults.synchronize();
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

bool skipWithoutDrawings(benchmark::State& state)
{
    const auto& drawings = threeStrokeDrawings();
    if (drawings.problem.empty())
        return false;
    state.SkipWithError(("skipped: " + drawings.problem).c_str());
    return true;
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

const reference::ReferenceRecognizer& referenceRecognizer()
{
    static const reference::ReferenceRecognizer recognizer = [] {
        reference::ReferenceRecognizer filled;
        for (const auto& drawing : threeStrokeDrawings().stored)
            filled.addGesture(drawing.identity, drawing.strokes);
        return filled;
    }();
    return recognizer;
}

const GestureRecognizer& productionRecognizer()
{
    static const auto recognizer = [] {
        auto filled = std::make_unique<GestureRecognizer>();
        for (const auto& drawing : threeStrokeDrawings().stored)
            filled->addGesture(Gesture(drawing.identity, drawing.strokes));
        return filled;
    }();
    return *recognizer;
}

// The candidate that sends the most templates into the angle search: the worst case.
const NamedDrawing& worstCandidate(size_t& searched)
{
    static size_t mostSearched = 0;
    static const NamedDrawing* worst = [] {
        const NamedDrawing* chosen = nullptr;
        for (const auto& candidate : threeStrokeDrawings().candidates) {
            size_t count = referenceRecognizer().recognizeGestureWithStrokes(candidate.strokes).searched.size();
            if (!chosen || count > mostSearched) {
                chosen = &candidate;
                mostSearched = count;
            }
        }
        return chosen;
    }();
    searched = mostSearched;
    return *worst;
}

void loadGestures(benchmark::State& state, bool measureMemory)
{
    if (skipWithoutStore(state))
        return;
    size_t loaded = 0;
    double after = 0;
    for (auto _ : state) {
        PropertyListUserDefaults defaults(storeFile().path());
        GestureRecognitionModel model(defaults);
        model.setup();
        loaded = model.gestureDetector()->loadedGestures()->size();
        if (measureMemory)
            after = residentBytes();
        benchmark::DoNotOptimize(loaded);
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

void BM_GenerateTemplates(benchmark::State& state)
{
    Gesture gesture("synthetic", syntheticDrawing(int(state.range(0))));
    for (auto _ : state) {
        gesture.generateTemplates();
        benchmark::DoNotOptimize(gesture.templates().data());
    }
    state.counters["templates"] = double(gesture.templates().size());
}
BENCHMARK(BM_GenerateTemplates)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// Both recognizers answer the same call; the literal one shows what the matcher saves.
template<typename Recognizer>
void recognizeWorstCase(benchmark::State& state, const Recognizer& recognizer)
{
    if (skipWithoutDrawings(state))
        return;
    size_t searched = 0;
    const auto& candidate = worstCandidate(searched);
    for (auto _ : state) {
        auto result = recognizer.recognizeGestureWithStrokes(candidate.strokes);
        benchmark::DoNotOptimize(result);
    }
    state.counters["searchedTemplates"] = double(searched);
}

void BM_Recognize3StrokesAmong100(benchmark::State& state)
{
    recognizeWorstCase(state, productionRecognizer());
}
BENCHMARK(BM_Recognize3StrokesAmong100)->Unit(benchmark::kMillisecond);

void BM_Recognize3StrokesAmong100Literal(benchmark::State& state)
{
    recognizeWorstCase(state, referenceRecognizer());
}
BENCHMARK(BM_Recognize3StrokesAmong100Literal)->Unit(benchmark::kMillisecond);

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

BENCHMARK_MAIN();
