// The gesture sheet of a full store (1,024 real three-stroke drawings) on a large
// generated desktop: from the store's gestures to the file on disk, where the aim is
// under 2 s for each format, and from the tray's request to the first painted frame of
// the window's list, where it is under 300 ms. Runs on Qt's offscreen platform unless
// another is asked for.
#include "BenchmarkDesktop.h"
#include "BenchmarkGestures.h"
#include "PaintWatcher.h"
#include "appearance/IconResolver.h"
#include "launch/DesktopWorkspace.h"
#include "launch/LaunchableCatalogue.h"
#include "launch/TargetNameCache.h"
#include "launch/TargetKinds.h"
#include "sheet/GestureSheet.h"
#include "sheet/GestureSheetFile.h"
#include "sheet/GestureSheetWindow.h"
#include "core/GestureRecognitionModel.h"
#include "platform/PropertyListUserDefaults.h"
#include "platform/SerialWorkQueue.h"

#include <QApplication>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

using namespace scriblo;
using namespace scriblo::benchmarks;

namespace {

// Skips the benchmark, saying why, where the shared drawings cannot be read; prepares the
// desktop otherwise.
bool drawingsAvailable(benchmark::State& state)
{
    if (const auto& problem = bench::threeStrokeDrawings(bench::largeStoreCount).problem; !problem.empty()) {
        state.SkipWithError(problem.c_str());
        return false;
    }
    BenchmarkDesktop::prepare();
    return true;
}

// Every stored drawing bound to a target of the desktop, the kinds taking turns, and one
// in 64 to a target that is gone, which the sheet looks up on the disk.
GestureRecognizer::GestureList fullStore(const LaunchableCatalogue& catalogue)
{
    std::vector<LaunchableListHandle> lists;
    for (size_t kind = 0; kind < TargetKinds::all().size(); ++kind)
        if (!catalogue.list(kind)->empty())
            lists.push_back(catalogue.list(kind));
    const auto& drawings = bench::threeStrokeDrawings(bench::largeStoreCount);
    GestureRecognizer::GestureList stored;
    for (size_t i = 0; i < drawings.stored.size(); ++i) {
        const auto& list = *lists[i % lists.size()];
        std::string identity = i % 64 == 0 ? "gone" + std::to_string(i) + ".desktop" : list[(i / lists.size()) % list.size()]->launchId();
        stored.push_back(std::make_shared<const Gesture>(identity, drawings.stored[i].strokes));
    }
    return stored;
}

void writeSheet(benchmark::State& state, GestureSheetFile::Format format, const char* extension)
{
    if (!drawingsAvailable(state))
        return;
    LaunchableCatalogue catalogue(std::make_shared<DesktopWorkspace>(), BenchmarkDesktop::root() / "builtin");
    catalogue.fetchAll();
    auto stored = fullStore(catalogue);
    auto path = BenchmarkDesktop::root() / (std::string("sheet.") + extension);
    int pages = 0;
    for (auto _ : state) {
        IconResolver icons;
        GestureSheet sheet(GestureSheetContents::of(stored, catalogue, {}), icons);
        auto written = GestureSheetFile::write(sheet, path, format);
        if (!written) {
            state.SkipWithError(written.error().c_str());
            return;
        }
        pages = sheet.pageCount();
    }
    state.counters["gestures"] = double(stored.size());
    state.counters["pages"] = pages;
}

// A window made afresh each time, as at the first request of a session: no icon or
// drawing has been drawn before.
void BM_OpenSheetWindowToFirstPaint(benchmark::State& state)
{
    if (!drawingsAvailable(state))
        return;
    LaunchableCatalogue catalogue(std::make_shared<DesktopWorkspace>(), BenchmarkDesktop::root() / "builtin");
    catalogue.fetchAll();
    PropertyListUserDefaults storage(BenchmarkDesktop::root() / "sheet-store.plist");
    GestureRecognitionModel model(storage);
    model.recognizer()->setLoadedGestures(fullStore(catalogue));
    SerialWorkQueue writes;
    TargetNameCache targetNames(BenchmarkDesktop::root() / "target-names.json");
    targetNames.load();
    for (auto _ : state) {
        auto window = std::make_unique<GestureSheetWindow>(model, writes, catalogue, targetNames);
        PaintWatcher watcher;
        window->list()->viewport()->installEventFilter(&watcher);
        window->showAndRaise();
        while (!watcher.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["gestures"] = double(model.recognizer()->loadedGestures()->size());
}

void BM_SheetPdf(benchmark::State& state) { writeSheet(state, GestureSheetFile::Format::Pdf, "pdf"); }
void BM_SheetPng(benchmark::State& state) { writeSheet(state, GestureSheetFile::Format::Png, "png"); }
void BM_SheetSvg(benchmark::State& state) { writeSheet(state, GestureSheetFile::Format::Svg, "svg"); }

}

BENCHMARK(BM_OpenSheetWindowToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);
// PNG pages are compressed on other threads: the time of every thread counts, which on
// one core (taskset -c 0) is also the time it takes.
BENCHMARK(BM_SheetPdf)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_SheetPng)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_SheetSvg)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();

int main(int argc, char** argv)
{
    scriblo::bench::runAsTheProgramReadsFullStores(argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    BenchmarkDesktop::remove();
    return 0;
}
