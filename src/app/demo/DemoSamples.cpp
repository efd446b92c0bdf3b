#include "app/demo/DemoSamples.h"

#include "app/commands/GestureJson.h"
#include "files/SafeFile.h"

#include "core/GestureRecognitionModel.h"
#include "launch/Settings.h"
#include "platform/PropertyListUserDefaults.h"

#include <cmath>
#include <fstream>
#include <numbers>

namespace scriblo::DemoSamples {

namespace {

constexpr int stepsPerSide = 12;
constexpr int stepsPerCircle = 40;
// Slow enough for the partial checks to see the drawing grow.
constexpr double secondsPerTouchpadFrame = 0.015;
constexpr double tapTime = 0.8;
constexpr double drawingTime = 1.2;
// Long enough to see the partial match before the final one.
constexpr int readingDelayMilliseconds = 1000;

Shape polyline(const Shape& corners)
{
    Shape points;
    for (size_t side = 0; side + 1 < corners.size(); ++side) {
        for (int step = 0; step < stepsPerSide; ++step) {
            double t = double(step) / stepsPerSide;
            points.push_back({ corners[side].first + t * (corners[side + 1].first - corners[side].first),
                               corners[side].second + t * (corners[side + 1].second - corners[side].second) });
        }
    }
    points.push_back(corners.back());
    return points;
}

GestureStroke strokeOf(const Shape& shape)
{
    GestureStroke stroke;
    for (const auto& [x, y] : shape)
        stroke.addPoint(GesturePoint(float(x), float(y), 0));
    return stroke;
}

}

Shape zigzag()
{
    return polyline({ { 200, 800 }, { 800, 800 }, { 200, 200 }, { 800, 200 } });
}

Shape vee()
{
    return polyline({ { 200, 800 }, { 500, 200 }, { 800, 800 } });
}

Shape ell()
{
    return polyline({ { 250, 850 }, { 250, 200 }, { 750, 200 } });
}

Shape triangle()
{
    return polyline({ { 500, 800 }, { 200, 250 }, { 800, 250 }, { 500, 800 } });
}

Shape circle()
{
    Shape points;
    for (int step = 0; step <= stepsPerCircle; ++step) {
        double angle = 2 * std::numbers::pi * step / stepsPerCircle;
        points.push_back({ 500 + 300 * std::cos(angle), 500 + 300 * std::sin(angle) });
    }
    return points;
}

Expected<size_t> writeStore(const std::filesystem::path& store)
{
    PropertyListUserDefaults preferences(store);
    if (auto failure = preferences.failure())
        return *failure;
    preferences.setBool(true, Settings::multitouchOptionKey);
    preferences.setInteger(readingDelayMilliseconds, Settings::readingDelayTimeKey);
    if (auto written = preferences.synchronize(); !written)
        return Failure { "cannot write the settings to " + store.string() + ": " + written.error() };
    GestureRecognitionModel model(preferences);
    model.setup();
    auto saved = model.saveGestures({
        Gesture(recognisedScript, { strokeOf(zigzag()) }),
        Gesture("builtin:Open Home Folder.sh", { strokeOf(circle()) }),
        Gesture("builtin:Empty Trash.sh", { strokeOf(vee()) }),
        Gesture(retiredApplication, { strokeOf(ell()) }),
    });
    if (!saved)
        return Failure { saved.error() };
    return *saved;
}

Expected<std::filesystem::path> writeImportFile(const std::filesystem::path& file)
{
    std::vector<std::shared_ptr<const Gesture>> gestures {
        std::make_shared<const Gesture>("builtin:Suspend.sh", std::vector { strokeOf(triangle()) }),
        std::make_shared<const Gesture>("builtin:Open Home Folder.sh", std::vector { strokeOf(ell()) }),
        std::make_shared<const Gesture>("builtin:Empty Trash.sh", std::vector { strokeOf(vee()) }),
    };
    if (auto written = SafeFile::writeAtomically(file, GestureJson::gesturesToJson(gestures).dump(1) + "\n"); !written)
        return Failure { written.error() };
    return file;
}

Expected<std::filesystem::path> writeTouchpadRecording(const std::filesystem::path& file)
{
    SyntheticTouchpad pad(5);
    pad.at(0).report();
    pad.fourFingerTap(tapTime);
    pad.drawStroke(zigzag(), drawingTime, secondsPerTouchpadFrame);
    std::ofstream output(file);
    output << pad.text();
    if (!output.flush())
        return Failure { "cannot write the touchpad recording " + file.string() };
    return file;
}

}
