// A full setup of the catalogue and the settings on a generated desktop: 300 desktop
// entries, 1,000 bookmarks across Chrome, Firefox and Safari, and 50 scripts. The aim
// is at most 100 ms, so that opening the setup window never stalls.
#include "BenchmarkDesktop.h"
#include "launch/DesktopWorkspace.h"
#include "launch/TargetsAndSettings.h"
#include "launch/TargetKinds.h"
#include "platform/PropertyListUserDefaults.h"

#include <benchmark/benchmark.h>

using namespace scriblo;
using namespace scriblo::benchmarks;

namespace {

void BM_FullSetup(benchmark::State& state)
{
    BenchmarkDesktop::prepare();
    auto storage = std::make_shared<PropertyListUserDefaults>(BenchmarkDesktop::root() / "store.plist");
    size_t targets = 0;
    for (auto _ : state) {
        TargetsAndSettings model({ std::make_shared<DesktopWorkspace>(), BenchmarkDesktop::root() / "builtin", storage, std::make_shared<NoLoginItems>(), [] { return false; } });
        model.setup();
        const auto& catalogue = model.catalogue();
        targets = 0;
        for (size_t kind = 0; kind < TargetKinds::all().size(); ++kind)
            targets += catalogue.list(kind)->size();
        benchmark::DoNotOptimize(model.findLaunchableWithId("no such target"));
    }
    state.counters["targets"] = double(targets);
}
BENCHMARK(BM_FullSetup)->Unit(benchmark::kMillisecond);

void BM_LookupMissAcrossAllLists(benchmark::State& state)
{
    BenchmarkDesktop::prepare();
    auto storage = std::make_shared<PropertyListUserDefaults>(BenchmarkDesktop::root() / "store.plist");
    TargetsAndSettings model({ std::make_shared<DesktopWorkspace>(), BenchmarkDesktop::root() / "builtin", storage, std::make_shared<NoLoginItems>(), [] { return false; } });
    model.setup();
    for (auto _ : state)
        benchmark::DoNotOptimize(model.findLaunchableWithId("org.mozilla.firefox:https://firefox.example/nothing"));
}
BENCHMARK(BM_LookupMissAcrossAllLists)->Unit(benchmark::kMicrosecond);

}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    BenchmarkDesktop::remove();
    return 0;
}
