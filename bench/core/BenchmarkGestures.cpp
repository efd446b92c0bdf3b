#include "BenchmarkGestures.h"

#include "core/GestureLog.h"
#include "core/KeyedUnarchiver.h"
#include "files/HugePages.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <map>
#include <mutex>
#include <sys/resource.h>

namespace scriblo::bench {

namespace {

constexpr size_t candidateCount = 40;

bool isWantedType(const std::string& file)
{
    for (const char* type : { "-H-", "-I-", "-N-", "-asterisk-" }) {
        if (file.find(type) != std::string::npos)
            return true;
    }
    return false;
}

// Reads the multistroke set's drawings whose file name `wanted` accepts, about `spread`
// of them evenly spaced over all users and speeds rather than the first user's, handing
// each to `keep` until it asks for no more. Says what went wrong, if anything did.
std::string readSpreadDrawings(const std::function<bool(const std::string&)>& wanted, size_t spread,
                               const std::function<bool(gesturelog::DrawnGesture)>& keep)
{
    auto folder = gesturelog::sharedGestureFolder();
    if (!folder)
        return "no shared gesture data at " SCRIBLO_SHARED_DATA "/gestures";
    gesturelog::UnpackedArchive unpacked(*folder / "mmg" / "mmg.tar.xz");
    if (!unpacked.folder())
        return "could not unpack " + (*folder / "mmg" / "mmg.tar.xz").string();
    std::vector<std::filesystem::path> files;
    for (const auto& file : gesturelog::gestureLogFiles(*unpacked.folder())) {
        if (wanted(file.filename().string()))
            files.push_back(file);
    }
    size_t stride = std::max<size_t>(1, files.size() / spread);
    for (size_t i = 0; i < files.size(); i += stride) {
        auto drawing = gesturelog::readGestureLog(files[i]);
        if (drawing && !keep(std::move(*drawing)))
            break;
    }
    return {};
}

ThreeStrokeDrawings readThreeStrokeDrawings(size_t storedCount)
{
    ThreeStrokeDrawings drawings;
    drawings.problem = readSpreadDrawings(isWantedType, storedCount + candidateCount + 20, [&](gesturelog::DrawnGesture drawing) {
        if (drawing.strokes.size() != 3)
            return true;
        auto& list = drawings.stored.size() < storedCount ? drawings.stored : drawings.candidates;
        list.push_back({ drawing.file, std::move(drawing.strokes) });
        return drawings.candidates.size() < candidateCount;
    });
    if (drawings.problem.empty() && (drawings.stored.size() < storedCount || drawings.candidates.empty()))
        drawings.problem = "fewer than " + std::to_string(storedCount + 1) + " three-stroke drawings in the archive";
    return drawings;
}

}

const ThreeStrokeDrawings& threeStrokeDrawings(size_t storedCount)
{
    static std::mutex mutex;
    static std::map<size_t, ThreeStrokeDrawings> drawings;
    std::lock_guard lock(mutex);
    auto found = drawings.find(storedCount);
    if (found == drawings.end())
        found = drawings.emplace(storedCount, readThreeStrokeDrawings(storedCount)).first;
    return found->second;
}

bool skipWithoutDrawings(benchmark::State& state, size_t storedCount)
{
    const auto& drawings = threeStrokeDrawings(storedCount);
    if (drawings.problem.empty())
        return false;
    state.SkipWithError(("skipped: " + drawings.problem).c_str());
    return true;
}

const std::vector<NamedDrawing>& mixedDrawings(size_t count)
{
    static std::mutex mutex;
    static std::map<size_t, std::vector<NamedDrawing>> drawings;
    std::lock_guard lock(mutex);
    auto found = drawings.find(count);
    if (found != drawings.end())
        return found->second;
    std::vector<NamedDrawing> read;
    readSpreadDrawings([](const std::string&) { return true; }, count, [&](gesturelog::DrawnGesture drawing) {
        read.push_back({ drawing.file, std::move(drawing.strokes) });
        return read.size() < count;
    });
    return drawings.emplace(count, std::move(read)).first->second;
}

namespace {

// The longest identity the store takes, different for each `g`.
std::string longestIdentity(size_t g)
{
    std::string identity = "/home/user/.local/share/Scriblo/Scripts/" + std::to_string(g) + "/";
    identity.resize(Gesture::maximumIdentityLength, 'x');
    return identity;
}

// `pointCount` points along one curve, `step` apart, split evenly into `strokeCount`
// strokes; `shift` moves the whole drawing along the curve.
std::vector<GestureStroke> curveDrawing(int32_t strokeCount, int32_t pointCount, double step, double shift)
{
    std::vector<GestureStroke> strokes(static_cast<size_t>(strokeCount));
    for (int32_t i = 0; i < pointCount; ++i) {
        int32_t stroke = i * strokeCount / pointCount;
        double turn = step * i + shift;
        strokes[size_t(stroke)].addPoint(GesturePoint(float(500 + 400 * std::cos(turn)), float(500 + 300 * std::sin(3 * turn)), stroke + 1));
    }
    return strokes;
}

}

std::vector<Gesture> largestStore()
{
    std::vector<Gesture> gestures;
    for (size_t g = 0; g < KeyedUnarchiver::maximumGestureCount; ++g)
        gestures.emplace_back(longestIdentity(g), curveDrawing(Gesture::maximumStrokeCount, Gesture::maximumPointCount, 0.02, 0.001 * double(g)));
    return gestures;
}

// Each drawing of 128 points, so that the eight take a gesture's share of the points
// (1,024); five of two strokes (8 templates each) and three of one (2 each) make 46
// templates, within a gesture's share of 48.
std::vector<Gesture> largestStoreOfDrawings()
{
    constexpr int32_t pointsPerDrawing = Gesture::maximumPointCount / Gesture::maximumDrawingCount;
    std::vector<Gesture> gestures;
    for (size_t g = 0; g < KeyedUnarchiver::maximumGestureCount; ++g) {
        Gesture gesture(longestIdentity(g), curveDrawing(2, pointsPerDrawing, 0.05, 0.001 * double(g)));
        for (int32_t d = 1; d < Gesture::maximumDrawingCount; ++d)
            gesture.addDrawing(curveDrawing(d < 5 ? 2 : 1, pointsPerDrawing, 0.05, 0.001 * double(g) + 0.01 * d));
        gestures.push_back(std::move(gesture));
    }
    return gestures;
}

std::vector<GestureStroke> syntheticDrawing(int strokeCount)
{
    std::vector<GestureStroke> strokes;
    for (int s = 0; s < strokeCount; ++s) {
        GestureStroke stroke;
        for (int i = 0; i < 20; ++i) {
            double turn = 0.15 * i + s;
            stroke.addPoint(GesturePoint(float(300 + 150 * s + 120 * std::cos(turn)), float(400 + 200 * std::sin(turn)), s + 1));
        }
        strokes.push_back(std::move(stroke));
    }
    return strokes;
}

namespace {

double statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(field.size())) * 1024;
    }
    return 0;
}

}

double residentBytes()
{
    return statusBytes("VmRSS:");
}

double peakResidentBytes()
{
    return statusBytes("VmHWM:");
}

double minorPageFaults()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_minflt);
}

bool resetPeakResidentBytes()
{
    malloc_trim(0);
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

double allocatedBytes()
{
    return double(mallinfo2().uordblks);
}

void runAsTheProgramReadsFullStores(char** argv)
{
    if (!HugePages::settleAfterRestart())
        HugePages::restartWithAdvisedHeap(argv);
}

int runBenchmarks(int argc, char** argv)
{
    runAsTheProgramReadsFullStores(argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}
