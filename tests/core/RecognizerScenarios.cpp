#include "core/RecognizerScenarios.h"

#include "core/AngleSearchTree.h"
#include "core/DrawingGenerator.h"
#include "core/GestureLog.h"

#include <cmath>
#include <map>
#include <set>
#include <stdexcept>

namespace scriblo::equivalence {

namespace {

void generatedDrawings(ScenarioSteps& steps)
{
    DrawingGenerator generator(20240611);
    std::vector<std::vector<GestureStroke>> stored;
    for (int g = 0; g < 24; ++g) {
        stored.push_back(generator.drawing(g % 3 + 1));
        steps.addGesture(Gesture("gesture " + std::to_string(g), stored.back()));
    }
    // Equal shapes under other identities decide ties by order; re-adding moves a gesture
    // behind the others; an empty identity never makes a result.
    steps.addGesture(Gesture("copy of 4", stored[4]));
    steps.addGesture(Gesture("copy of 5", generator.variant(stored[5])));
    steps.addGesture(Gesture("gesture 1", stored[1]));
    steps.addGesture(Gesture("", stored[7]));
    steps.removeGestureWithIdentity("gesture 10");
    steps.removeGestureWithIdentity("not loaded");
    for (int i = 0; i < 3000; ++i) {
        int strokeCount = i % 3 + 1;
        int kind = generator.integer(0, 19);
        if (kind < 8)
            steps.check(generator.variant(stored[size_t(generator.integer(0, 7) * 3 + strokeCount - 1)]));
        else if (kind < 10)
            steps.check(stored[size_t(generator.integer(0, 7) * 3 + strokeCount - 1)]);
        else if (kind < 12)
            steps.check(generator.sparseDrawing(strokeCount, generator.integer(9, 13)));
        else
            steps.check(generator.drawing(strokeCount));
    }
}

// Every drawing of a shared set, from its archive, so that the pins never depend on
// which part of the set a checkout holds.
std::vector<gesturelog::DrawnGesture> readDrawings(const std::string& subfolder, const std::string& archive)
{
    auto folder = gesturelog::sharedGestureFolder();
    gesturelog::UnpackedArchive unpacked(folder.value_or("") / subfolder / archive);
    if (!unpacked.folder())
        throw std::runtime_error("cannot unpack " + subfolder + "/" + archive);
    std::vector<gesturelog::DrawnGesture> drawings;
    for (const auto& file : gesturelog::gestureLogFiles(*unpacked.folder())) {
        if (auto drawing = gesturelog::readGestureLog(file))
            drawings.push_back(std::move(*drawing));
    }
    return drawings;
}

std::string gestureType(const std::string& file)
{
    // "10-stylus-medium-H-01.xml" and "arrow01.xml" both name the type before the number.
    std::string stem = file.substr(0, file.find('.'));
    size_t end = stem.find_last_not_of("0123456789");
    stem = stem.substr(0, end == std::string::npos ? 0 : end + 1);
    if (!stem.empty() && stem.back() == '-')
        stem.pop_back();
    size_t dash = stem.find_last_of('-');
    return dash == std::string::npos ? stem : stem.substr(dash + 1);
}

// Stores the first drawing of each type, then checks every drawing.
void realDrawings(ScenarioSteps& steps, const std::string& subfolder, const std::string& archive)
{
    auto drawings = readDrawings(subfolder, archive);
    std::set<std::string> storedTypes;
    for (const auto& drawing : drawings) {
        if (drawing.strokes.size() <= 3 && storedTypes.insert(gestureType(drawing.file)).second)
            steps.addGesture(Gesture(gestureType(drawing.file), drawing.strokes));
    }
    for (const auto& drawing : drawings) {
        if (drawing.strokes.size() <= 3)
            steps.check(drawing.strokes);
    }
}

// Gestures of up to three drawings spread over the users, so that a gesture's drawings
// differ in hand and, for some types, in their number of strokes.
void severalDrawingsPerGesture(ScenarioSteps& steps)
{
    auto drawings = readDrawings("mmg", "mmg.tar.xz");
    std::vector<Gesture> gestures;
    std::map<std::string, size_t> gestureOfType;
    std::set<size_t> stored;
    for (size_t i = 0; i < drawings.size(); i += 97) {
        const auto& drawing = drawings[i];
        if (drawing.strokes.size() > 3)
            continue;
        auto [found, added] = gestureOfType.emplace(gestureType(drawing.file), gestures.size());
        if (added)
            gestures.emplace_back(gestureType(drawing.file), drawing.strokes);
        else if (gestures[found->second].drawingCount() < 3)
            gestures[found->second].addDrawing(drawing.strokes);
        else
            continue;
        stored.insert(i);
    }
    for (const auto& gesture : gestures)
        steps.addGesture(gesture);
    for (size_t i = 0; i < drawings.size(); i += 3) {
        if (drawings[i].strokes.size() <= 3 && !stored.contains(i))
            steps.check(drawings[i].strokes);
    }
}

// Differences too large for float arithmetic take the exact route.
void farApartStrokes(ScenarioSteps& steps)
{
    DrawingGenerator generator(7);
    for (float reach : { 1000.0f, 2896.0f, 2897.0f, 4000.0f, 60000.0f, 3e9f }) {
        for (int round = 0; round < 20; ++round) {
            GestureStroke candidate;
            GestureStroke templateStroke;
            for (int i = 0; i < 160; ++i) {
                candidate.addPoint(GesturePoint(float(generator.uniform(-reach, reach)), float(generator.uniform(-10, 10)), 1));
                templateStroke.addPoint(GesturePoint(float(generator.uniform(-10, 10)), float(generator.uniform(-reach, reach)), 1));
            }
            steps.measure(candidate, templateStroke);
        }
    }
}

// Searched templates are sorted by a lower bound and passed over when it exceeds the
// best distance; equal distances must still go to the first template in list order,
// and templates one bit apart must keep their own distances.
void tiesAndLastBitNeighbours(ScenarioSteps& steps)
{
    DrawingGenerator generator(4242);
    std::vector<std::vector<GestureStroke>> stored;
    for (int g = 0; g < 12; ++g) {
        auto drawing = generator.drawing(g % 3 + 1);
        steps.addGesture(Gesture("shape " + std::to_string(g), drawing));
        auto nudged = drawing;
        auto points = nudged[0].points();
        points[points.size() / 2].setX(std::nextafter(points[points.size() / 2].x(), 1e9f));
        nudged[0].setPoints(points);
        steps.addGesture(Gesture("nudged " + std::to_string(g), nudged));
        steps.addGesture(Gesture("twin " + std::to_string(g), drawing));
        stored.push_back(drawing);
    }
    for (int i = 0; i < 400; ++i) {
        const auto& drawing = stored[size_t(i) % stored.size()];
        steps.check(i % 4 == 0 ? drawing : generator.variant(drawing));
    }
}

std::vector<GestureStroke> turned(const std::vector<GestureStroke>& strokes, double angle)
{
    std::vector<GestureStroke> result;
    for (const auto& stroke : strokes) {
        GestureStroke turnedStroke;
        for (const auto& point : stroke.points()) {
            double x = point.x() - 500;
            double y = point.y() - 500;
            turnedStroke.addPoint(GesturePoint(float(x * std::cos(angle) - y * std::sin(angle) + 500),
                                               float(x * std::sin(angle) + y * std::cos(angle) + 500), point.strokeId()));
        }
        result.push_back(turnedStroke);
    }
    return result;
}

// The search can end at any angle of its tree; a drawing turned against a stored one by
// each of those angles makes each the best in turn. Each shape is also stored turned,
// so that the closest rivals differ by rotation alone, where the bound that passes
// templates over is at its tightest.
void drawingsTurnedToEveryProbedAngle(ScenarioSteps& steps)
{
    DrawingGenerator generator(99);
    std::vector<std::vector<GestureStroke>> stored;
    for (int g = 0; g < 3; ++g) {
        stored.push_back(generator.drawing(g + 1));
        for (double turn : { 0.0, -0.6, -0.35, -0.15, 0.15, 0.35, 0.6 })
            steps.addGesture(Gesture("shape " + std::to_string(g) + " turned " + std::to_string(turn), turned(stored.back(), turn)));
    }
    const auto& tree = AngleSearchTree::shared();
    for (int node = 0; node < AngleSearchTree::nodeCount; ++node)
        steps.check(turned(stored[size_t(node) % stored.size()], -tree.probe(node).angle));
}

// A full store: every three-stroke gesture the store can hold, each with 48 templates.
void theLargestStore(ScenarioSteps& steps)
{
    DrawingGenerator generator(1024);
    std::vector<std::vector<GestureStroke>> stored;
    for (int g = 0; g < 1024; ++g) {
        stored.push_back(generator.drawing(3));
        steps.addGesture(Gesture("gesture " + std::to_string(g), stored.back()));
    }
    for (int i = 0; i < 24; ++i)
        steps.check(i % 3 ? generator.variant(stored[size_t(generator.integer(0, 1023))]) : generator.drawing(3));
}

void addLine(GestureStroke& stroke, double fromX, double fromY, double toX, double toY)
{
    for (int i = 0; i < 30; ++i)
        stroke.addPoint(GesturePoint(float(fromX + (toX - fromX) * i / 30), float(fromY + (toY - fromY) * i / 30), 1));
}

// A lead-in at `angle`, then the outline of the square that scaling maps onto itself,
// so that the processed start direction keeps the drawn angle.
std::vector<GestureStroke> leadAndSquare(double angle)
{
    GestureStroke stroke;
    addLine(stroke, 500, 500, 500 + 450 * std::cos(angle), 500 + 450 * std::sin(angle));
    addLine(stroke, 500 + 450 * std::cos(angle), 500 + 450 * std::sin(angle), 0, 0);
    addLine(stroke, 0, 0, 1000, 0);
    addLine(stroke, 1000, 0, 1000, 1000);
    addLine(stroke, 1000, 1000, 0, 1000);
    addLine(stroke, 0, 1000, 0, 0);
    stroke.addPoint(GesturePoint(0, 0, 1));
    return { stroke };
}

// The start-direction test is decided from the dot product away from 40° and by the arc
// cosine near it; drawings across the edge must fall on the same side as literally.
void startDirectionsAroundTheTolerance(ScenarioSteps& steps)
{
    steps.addGesture(Gesture("square", leadAndSquare(0)));
    for (int step = -200; step <= 200; ++step)
        steps.check(leadAndSquare((40.0 + step * 0.002) * 3.141592653589793 / 180));
}

}

const std::vector<RecognizerScenario>& recognizerScenarios()
{
    using namespace std::placeholders;
    static const std::vector<RecognizerScenario> scenarios {
        { "generatedDrawings", 1, false, 500, generatedDrawings },
        { "realMultistrokes", 100, true, 4000, std::bind(realDrawings, _1, "mmg", "mmg.tar.xz") },
        { "realUnistrokes", 100, true, 2000, std::bind(realDrawings, _1, "one-dollar-unistroke", "xml_logs.tar.xz") },
        { "severalDrawingsPerGesture", 100, true, 1000, severalDrawingsPerGesture },
        { "farApartStrokes", 1, false, 0, farApartStrokes },
        { "tiesAndLastBitNeighbours", 1, false, 300, tiesAndLastBitNeighbours },
        { "drawingsTurnedToEveryProbedAngle", 1, false, 1, drawingsTurnedToEveryProbedAngle },
        { "theLargestStore", 1, false, 8, theLargestStore },
        { "startDirectionsAroundTheTolerance", 1, false, 100, startDirectionsAroundTheTolerance },
    };
    return scenarios;
}

}
