#include "BenchmarkGestures.h"

#include "core/GestureLog.h"

#include <cmath>
#include <fstream>
#include <malloc.h>
#include <map>
#include <mutex>

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

ThreeStrokeDrawings readThreeStrokeDrawings(size_t storedCount)
{
    ThreeStrokeDrawings drawings;
    auto folder = gesturelog::sharedGestureFolder();
    if (!folder) {
        drawings.problem = "no shared gesture data at " SCRIBLO_SHARED_DATA "/gestures";
        return drawings;
    }
    gesturelog::UnpackedArchive unpacked(*folder / "mmg" / "mmg.tar.xz");
    if (!unpacked.folder()) {
        drawings.problem = "could not unpack " + (*folder / "mmg" / "mmg.tar.xz").string();
        return drawings;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& file : gesturelog::gestureLogFiles(*unpacked.folder())) {
        if (isWantedType(file.filename().string()))
            files.push_back(file);
    }
    // Spread the choice over all users and speeds rather than taking the first user's.
    size_t stride = std::max<size_t>(1, files.size() / (storedCount + candidateCount + 20));
    for (size_t i = 0; i < files.size(); i += stride) {
        auto drawing = gesturelog::readGestureLog(files[i]);
        if (!drawing || drawing->strokes.size() != 3)
            continue;
        auto& list = drawings.stored.size() < storedCount ? drawings.stored : drawings.candidates;
        list.push_back({ drawing->file, std::move(drawing->strokes) });
        if (drawings.candidates.size() == candidateCount)
            break;
    }
    if (drawings.stored.size() < storedCount || drawings.candidates.empty())
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

}
